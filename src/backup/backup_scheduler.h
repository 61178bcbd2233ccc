#pragma once

#include "platform/clock.h"
#include "run_decision.h"

#include <memory>
#include <QDateTime>
#include <QObject>

namespace keldoran {

class AppModel;

/// Runs the scheduled backups of the tray application. The next backup falls due one interval after the
/// last successful one; a backup already due at launch, on waking or after a change of the rules starts
/// after a short settling delay, so that the network and the keyring are up. Every change of frequency,
/// pause, power or network rule, configuration or last backup plans again at once. The timer follows
/// the wall clock, so a laptop that slept through a fire time decides as soon as it wakes.
class BackupScheduler : public QObject {
    Q_OBJECT
public:
    /// How long a due backup waits after launch, waking or a change of the rules.
    static constexpr qint64 settleSeconds = 30;
    /// How soon a backup that could not start, or failed, is tried again.
    static constexpr qint64 retrySeconds = 900;

    explicit BackupScheduler(AppModel& model);
    ~BackupScheduler() override;

    /// Plans the next decision and follows the model's changes from now on.
    void start();
    /// Plans the next decision from the current state: arms the timer and publishes "Next backup".
    void reschedule();
    /// The periodic decision: ends an expired pause, then starts a backup or plans the next look.
    void tick();
    /// The rules applied to this process's view now.
    RunDecision decide(const QDateTime& now) const { return decideRun(inputs(), now); }
    /// The rules' inputs as this process sees them now.
    RunInputs inputs() const;
    /// The time a decision asks to look again; none when only an event can change it.
    std::optional<QDateTime> nextLook(const RunDecision& decision, const QDateTime& now) const;

    /// When the timer fires next; none while nothing is planned (not set up, paused indefinitely).
    std::optional<QDateTime> nextFire() const {
        return timer_ ? std::optional<QDateTime>(fireAt_) : std::nullopt;
    }

private:
    void follow();
    void arm(const std::optional<QDateTime>& when);
    void timerFired();

    AppModel& model_;
    std::unique_ptr<ClockTimer> timer_;
    QDateTime fireAt_;
    std::optional<QDateTime> lastAttempt_;
    bool following_ = false;
};

} // namespace keldoran
