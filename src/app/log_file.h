#pragma once

#include "platform/system_log.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <QByteArray>
#include <QString>
#include <thread>

/// The log file "Keldoran.log" with one older generation "Keldoran.log.1". Lines are appended on one
/// background thread, in the order they were handed over, so a caller never waits for the disk; the
/// system log's copy of a line is written there too, just before it. Every failure (folder, rotation,
/// open, write) is skipped silently.
class LogFile {
public:
    /// A file at or above this many bytes is rotated before the next line is written.
    static constexpr qint64 rotationSize = 2000000;

    explicit LogFile(QString directory);
    /// Writes what is still queued, then stops.
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    /// The one file of this process, in the user's Library/Logs/Keldoran folder.
    static LogFile& shared();

    const QString& directory() const { return directory_; }
    QString currentPath() const;
    QString previousPath() const;

    /// The system log's copy of a line.
    struct SystemLine {
        SystemLog* log = nullptr;
        SystemLog::Level level = SystemLog::Level::info;
        QString channel;
        QString message;
    };

    /// Queues one complete line (with its line feed) and returns at once.
    void append(QByteArray line);
    void append(QByteArray line, SystemLine system);
    /// Waits until every line queued so far is written (or dropped).
    void flush();

private:
    void run();
    struct Entry {
        QByteArray line;
        SystemLine system;
    };

    void write(const QByteArray& line) const;

    QString directory_;
    QByteArray currentName_;
    QByteArray previousName_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::deque<Entry> pending_;
    quint64 queued_ = 0;
    quint64 done_ = 0;
    bool stopping_ = false;
    bool writerWaiting_ = false;
    std::thread worker_;
};
