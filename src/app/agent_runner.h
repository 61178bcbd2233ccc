#pragma once

#include "model/backup_frequency.h"
#include "platform/platform.h"
#include "quit_signals.h"

#include <chrono>
#include <mutex>
#include <stop_token>
#include <qcoro/qcorotask.h>

class AppModel;

/// The background agent: one tick, started periodically by the system with KELDORAN_AGENT=1. It runs a
/// due backup through a model and controller of its own unless the tray application (or another tick)
/// is running, and then ends. A SIGTERM (systemd stopping it) or SIGINT during its life ends the tick the
/// way the tray application quits: the backup is cancelled, restic gets its one interrupt and is waited for.
class AgentRunner {
public:
    enum class SkipReason { notConfigured, paused, onBattery, offline, notDue };

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

    /// Nine tenths of the frequency's interval: 3240, 19440 or 77760 seconds.
    static qint64 dueThreshold(BackupFrequency frequency);
    static QString reasonName(SkipReason reason);

private:
    Platform& platform_;
    QuitSignals quitSignals_;
    std::stop_source interruption_;
    AppModel* model_ = nullptr;
    bool quitRequested_ = false;
};
