#pragma once

#include "platform/clock.h"
#include "restic/backup_event.h"

#include <functional>
#include <memory>
#include <QCoreApplication>
#include <QDateTime>

namespace keldoran {

/// Notices a backup that stopped making progress: restic retries an unreachable server for a quarter
/// of an hour per request while its progress stands still. After a minute without progress the backup is
/// said to be retrying; after half an hour it is given up. Progress is any change of files or bytes
/// done, or any event other than a status line.
class BackupStallWatch {
    Q_DECLARE_TR_FUNCTIONS(BackupStallWatch)

public:
    static constexpr int retryingAfterSeconds = 60;
    static constexpr int giveUpAfterSeconds = 30 * 60;

    /// `stalledChanged(true)` once no progress came for a minute, `(false)` when it resumes; `giveUp`
    /// once after half an hour without progress.
    BackupStallWatch(Clock& clock, std::function<void(bool stalled)> stalledChanged,
                     std::function<void()> giveUp);

    void observe(const BackupEvent& event);
    bool isStalled() const { return stalled_; }

    /// "Can't reach Scaleway — retrying…"
    static QString retryingSentence(const QString& provider);
    /// The failure recorded for a backup given up.
    static QString gaveUpSentence(const QString& provider);

private:
    void progressed();
    void check();

    Clock& clock_;
    std::function<void(bool)> stalledChanged_;
    std::function<void()> giveUp_;
    std::unique_ptr<ClockTimer> timer_;
    QDateTime lastProgress_;
    std::optional<BackupStatus> lastStatus_;
    bool stalled_ = false;
    bool gaveUp_ = false;
};

} // namespace keldoran
