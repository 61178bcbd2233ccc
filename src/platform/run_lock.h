#pragma once

#include <memory>
#include <optional>
#include <QString>

namespace keldoran {

/// The lock every front end holds for the whole of a repository operation that writes, so that two
/// restic writers never run at once. The file names who holds it; the lock goes with the process, also
/// when it crashes.
class RunLock {
public:
    enum class Holder { app, agent, ctl };

    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    /// Takes the lock for `holder`; none when another process (or another lock of this one) holds it.
    static std::unique_ptr<RunLock> acquire(const QString& path, Holder holder);
    /// Who holds the lock now; none when it is free. A holder that has not yet written its name reads
    /// as the tray application.
    static std::optional<Holder> holder(const QString& path);

private:
    explicit RunLock(int descriptor)
        : descriptor_(descriptor) {}
    int descriptor_;
};

} // namespace keldoran
