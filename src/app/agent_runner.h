#pragma once

#include "backup/run_decision.h"
#include "model/backup_frequency.h"
#include "platform/platform.h"
#include "platform/quit_signals.h"

#include <chrono>
#include <mutex>
#include <qcoro/qcorotask.h>
#include <stop_token>

namespace keldoran {

class AppModel;

/// The background agent: one tick, started periodically by the system with KELDORAN_AGENT=1. It runs a
/// due backup through a model and controller of its own unless the tray application (or another tick)
/// is running, and then ends. A SIGTERM (systemd stopping it) or SIGINT during its life ends the tick the
/// way the tray application quits: the backup is cancelled, restic gets its one interrupt and is waited for.
class AgentRunner {
public:
    /// A claim that succeeds once: when two events race, only the first one answers.
    class OnceBox {
    public:
        bool claim();

    private:
        std::mutex lock_;
        bool claimed_ = false;
    };

    /// Points the platform's interruption at the agent's own.
    explicit AgentRunner(Platform& platform);

    /// One tick.
    QCoro::Task<void> run();
    /// Ends the tick early: no backup starts, a running one is cancelled and wound down.
    void requestQuit();
    /// Whether a usable network path exists, answered within `timeout` (no answer counts as offline).
    QCoro::Task<bool> isOnline(std::chrono::milliseconds timeout);
    /// The tray application or another tick holds its lock.
    bool isAnotherInstanceRunning() const;

    /// How early a tick may start a backup: a tenth of the interval (360, 2160 or 8640 seconds), so
    /// that a backup falling due just after a tick does not wait for the next one.
    static qint64 earlySeconds(BackupFrequency frequency);

private:
    /// The rules' inputs as the agent sees them, with the network taken as it is given.
    RunInputs inputs(AppModel& model, bool configured, bool online) const;

    Platform& platform_;
    QuitSignals quitSignals_;
    std::stop_source interruption_;
    AppModel* model_ = nullptr;
    bool quitRequested_ = false;
};

} // namespace keldoran
