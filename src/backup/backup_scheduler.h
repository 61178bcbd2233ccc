#pragma once

#include "model/backup_frequency.h"
#include "platform/clock.h"

#include <QDateTime>
#include <QObject>
#include <memory>

class AppModel;

/// Runs the scheduled backups of the tray application: one repeating timer of the chosen frequency, whose
/// ticks apply the pause, offline, busy and battery rules before asking the model to back up. The timer
/// follows the wall clock, so a laptop that slept through a fire time ticks as soon as it wakes.
class BackupScheduler : public QObject {
    Q_OBJECT
public:
    explicit BackupScheduler(AppModel& model);
    ~BackupScheduler() override;

    /// (Re)starts the timer for the current frequency; the next backup is one interval from now.
    void reschedule();
    /// The periodic decision.
    void tick();
    bool isOnBattery() const;

    /// When the timer fires next; none before the first reschedule.
    std::optional<QDateTime> nextFire() const { return timer_ ? std::optional<QDateTime>(fireAt_) : std::nullopt; }

private:
    void arm(const QDateTime& when);
    void timerFired();

    AppModel& model_;
    std::unique_ptr<ClockTimer> timer_;
    QDateTime fireAt_;
    bool observingWake_ = false;
};
