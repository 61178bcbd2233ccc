#pragma once

#include <memory>
#include <QString>

namespace keldoran {

class SystemLog;

/// The named channels every part of the system logs through. Each message goes to the system log and, as
/// one line "2025-01-31T09:12:44.518Z [INFO] backup: message" (line feeds shown as " ⏎ "), to the log
/// file. A call never fails and never waits for the disk. Levels are INFO and ERROR only.
namespace Log {

class Channel {
public:
    explicit Channel(QString name)
        : name_(std::move(name)) {}
    const QString& name() const { return name_; }
    void info(const QString& message) const;
    void error(const QString& message) const;

private:
    QString name_;
};

const Channel& lifecycle();
const Channel& backup();
const Channel& queue();
const Channel& check();
const Channel& updater();

/// The system log every channel writes to.
SystemLog& systemLog();
/// Replaces it (a terminal tool keeps its standard error for the user). Call before any other thread logs.
void setSystemLog(std::unique_ptr<SystemLog> log);

} // namespace Log

} // namespace keldoran
