#pragma once

#include <memory>
#include <QString>

namespace keldoran {

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
    /// Says who holds it ("keldoran", "keldoranctl") to whoever finds it taken.
    void setHolder(const QString& name);
    /// Who holds the lock, by their own word; empty when nobody does or they have not said yet.
    static QString holder(const QString& path);

    /// $XDG_RUNTIME_DIR/keldoran (or /tmp/keldoran-<uid> without a runtime folder), created 0700 on demand.
    static QString folder(const QString& runtimeFolder);
    /// Whether the folder is this user's alone: a directory, not a link, owned by us, mode 0700. A folder
    /// someone else made first would hand them every lock and control command.
    static bool isFolderPrivate(const QString& runtimeFolder);

private:
    explicit InstanceLock(int descriptor)
        : descriptor_(descriptor) {}
    int descriptor_;
};

} // namespace keldoran
