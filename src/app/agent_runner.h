#pragma once

#include "model/backup_frequency.h"
#include "platform/platform.h"

#include <chrono>
#include <mutex>
#include <qcoro/qcorotask.h>

/// The background agent: one tick, started periodically by the system with KELDORAN_AGENT=1. It runs a
/// due backup through a model and controller of its own unless the tray application (or another tick)
/// is running, and then ends.
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

    explicit AgentRunner(Platform& platform);

    /// One tick.
    QCoro::Task<void> run();
    /// Whether a usable network path exists, answered within `timeout` (no answer counts as offline).
    QCoro::Task<bool> isOnline(std::chrono::milliseconds timeout);
    /// The tray application or another tick holds its lock.
    bool isAnotherInstanceRunning() const;

    /// Nine tenths of the frequency's interval: 3240, 19440 or 77760 seconds.
    static qint64 dueThreshold(BackupFrequency frequency);
    static QString reasonName(SkipReason reason);

private:
    Platform& platform_;
};
