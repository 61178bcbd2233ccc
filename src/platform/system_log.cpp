#include "system_log.h"

#include <cstdio>
#include <QFileInfo>
#include <syslog.h>
#include <systemd/sd-journal.h>

namespace keldoran {

namespace {

class JournalLog : public SystemLog {
public:
    void write(Level level, const QString& channel, const QString& message) override {
        const auto text = message.toUtf8();
        const auto name = channel.toUtf8();
        sd_journal_send("MESSAGE=%s", text.constData(), "PRIORITY=%d",
                        level == Level::error ? LOG_ERR : LOG_INFO, "SYSLOG_IDENTIFIER=keldoran",
                        "KELDORAN_CHANNEL=%s", name.constData(), nullptr);
    }
};

class StandardErrorLog : public SystemLog {
public:
    void write(Level level, const QString& channel, const QString& message) override {
        const auto line = QStringLiteral("keldoran %1 %2: %3\n")
                              .arg(level == Level::error ? QStringLiteral("ERROR") : QStringLiteral("INFO"),
                                   channel, message)
                              .toUtf8();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
};

class NoSystemLog : public SystemLog {
public:
    void write(Level, const QString&, const QString&) override {}
};

bool journalRuns() {
    return QFileInfo::exists(QStringLiteral("/run/systemd/journal/socket"));
}

} // namespace

std::unique_ptr<SystemLog> SystemLog::journalOnly() {
    if (journalRuns()) {
        return std::make_unique<JournalLog>();
    }
    return std::make_unique<NoSystemLog>();
}

std::unique_ptr<SystemLog> SystemLog::live() {
    if (journalRuns()) {
        return std::make_unique<JournalLog>();
    }
    return std::make_unique<StandardErrorLog>();
}

} // namespace keldoran
