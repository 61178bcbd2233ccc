#pragma once

#include "restic/restic_launcher.h"
#include "support/fake_platform.h"

#include <functional>
#include <QDateTime>
#include <QList>

namespace keldoran {

/// A restic that answers in process, on the fake clock: backups take the time and end the way their
/// plan says, snapshots accumulate, every other command answers at once. It watches the promise no
/// front end may break: never two writers at once.
class ScriptedRestic : public ResticLauncher {
public:
    /// How one backup run goes: its exit status (0 succeeds; 9 stands for a kill) and its length.
    struct Plan {
        int exitCode = 0;
        qint64 seconds = 60;
    };

    explicit ScriptedRestic(FakeClock& clock)
        : clock_(clock) {}

    QCoro::Task<QByteArray> run(ChildProcess::Launch launch, std::stop_token stop) override;
    QCoro::AsyncGenerator<QByteArray> streamLines(ChildProcess::Launch launch, std::stop_token stop) override;

    /// Plans each backup run as it starts.
    std::function<Plan()> planBackup = [] {
        return Plan{};
    };
    /// Told when a backup starts, and when one ends: its start time and whether it succeeded (a
    /// cancelled run is neither success nor failure).
    std::function<void(const QDateTime& started)> backupStarted = [](const QDateTime&) {
    };
    std::function<void(const QDateTime& started, std::optional<bool> succeeded)> backupEnded =
        [](const QDateTime&, std::optional<bool>) {
        };
    /// Told when a second writer starts beside another.
    std::function<void(const QString& command)> concurrentWriters = [](const QString&) {
    };

    /// The start of the oldest backup running now.
    std::optional<QDateTime> runningSince() const;

private:
    class Writer;
    QByteArray snapshotsJson() const;

    FakeClock& clock_;
    /// Each snapshot's time as restic prints it.
    QList<QString> snapshots_;
    QList<QDateTime> runningBackups_;
    int writers_ = 0;
};

} // namespace keldoran
