#pragma once

#include <memory>
#include <QString>

namespace keldoran {

/// The operating system's log, beside the application's own log file.
class SystemLog {
public:
    enum class Level { info, error };
    virtual ~SystemLog() = default;
    /// Called on the log's writer thread, in the order the lines were logged.
    virtual void write(Level level, const QString& channel, const QString& message) = 0;

    /// The systemd journal when one is running, otherwise standard error.
    static std::unique_ptr<SystemLog> live();
    /// The journal when one is running, otherwise nothing (the log file alone).
    static std::unique_ptr<SystemLog> journalOnly();
};

} // namespace keldoran
