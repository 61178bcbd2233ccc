#include "log.h"

#include "log_file.h"
#include "platform/system_log.h"

#include <ctime>
#include <memory>

namespace keldoran {

namespace Log {
namespace {

std::unique_ptr<SystemLog>& systemLogSlot() {
    static std::unique_ptr<SystemLog> log = SystemLog::live();
    return log;
}

// The caller only takes the time and queues the message: formatting and writing, the system log's
// copy too, happen on the log file's writer thread.
void write(bool isError, const QString& channel, const QString& message) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // Made before the log file, the system log outlives it: the file's last lines at exit still reach it.
    SystemLog& system = systemLog();
    LogFile::shared().append(LogFile::Message{now, isError, channel, message, &system});
}

} // namespace

void Channel::info(const QString& message) const {
    write(false, name_, message);
}

void Channel::error(const QString& message) const {
    write(true, name_, message);
}

const Channel& lifecycle() {
    static const Channel channel(QStringLiteral("lifecycle"));
    return channel;
}

const Channel& backup() {
    static const Channel channel(QStringLiteral("backup"));
    return channel;
}

const Channel& queue() {
    static const Channel channel(QStringLiteral("queue"));
    return channel;
}

const Channel& check() {
    static const Channel channel(QStringLiteral("check"));
    return channel;
}

const Channel& updater() {
    static const Channel channel(QStringLiteral("updater"));
    return channel;
}

SystemLog& systemLog() {
    return *systemLogSlot();
}

void setSystemLog(std::unique_ptr<SystemLog> log) {
    auto& slot = systemLogSlot(); // before the log file, as in write()
    // Lines already queued hold the one being replaced.
    LogFile::shared().flush();
    slot = std::move(log);
}

} // namespace Log

} // namespace keldoran
