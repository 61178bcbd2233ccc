#pragma once

#include <memory>
#include <QString>

/// A per-user lock file: "app.lock" is held by the tray application for its life, "agent.lock" by the
/// background agent during a tick. The lock goes with the process, also when it crashes.
class InstanceLock {
public:
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Takes the lock; none when another process holds it.
    static std::unique_ptr<InstanceLock> acquire(const QString& path);
    /// Whether another process holds the lock now.
    static bool isHeldElsewhere(const QString& path);

    /// $XDG_RUNTIME_DIR/keldoran (or a private folder in /tmp without a runtime folder), created on demand.
    static QString folder(const QString& runtimeFolder);

private:
    explicit InstanceLock(int descriptor)
        : descriptor_(descriptor) {}
    int descriptor_;
};
