#include "log.h"

#include "log_file.h"
#include "platform/system_log.h"

#include <ctime>
#include <memory>

namespace Log {
namespace {

std::unique_ptr<SystemLog>& systemLogSlot() {
    static std::unique_ptr<SystemLog> log = SystemLog::live();
    return log;
}

// Faster than QDateTime formatting: this runs on the caller's thread for every line. All the rest, the
// system log too, happens on the log file's writer thread.
QByteArray timestampNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    ::gmtime_r(&now.tv_sec, &parts);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                                     parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                                     parts.tm_min, parts.tm_sec, int(now.tv_nsec / 1000000));
    return QByteArray(text, length);
}

QByteArray lineBody(bool isError, const QString& channel, const QString& message) {
    QString body =
        QLatin1String(isError ? " [ERROR] " : " [INFO] ") + channel + QStringLiteral(": ") + message;
    body.replace(QLatin1Char('\n'), QStringLiteral(" \u23CE "));
    return body.toUtf8() + '\n';
}

void write(bool isError, const QString& channel, const QString& message) {
    // Made before the log file, the system log outlives it: the file's last lines at exit still reach it.
    SystemLog& system = systemLog();
    LogFile::shared().append(
        timestampNow() + lineBody(isError, channel, message),
        {&system, isError ? SystemLog::Level::error : SystemLog::Level::info, channel, message});
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
