#pragma once

#include "platform/system_log.h"

#include <array>
#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <QByteArray>
#include <QString>
#include <thread>
#include <variant>
#include <vector>

namespace keldoran {

/// The log file "Keldoran.log" with one older generation "Keldoran.log.1". Lines are formatted and
/// appended on one background thread, in the order they were handed over, so a caller never waits for
/// the disk; the system log's copy of a message is written there too, just before its line. Every
/// failure (folder, rotation, open, write) is skipped silently.
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

    /// One log call; its line is "2025-01-31T09:12:44.518Z [INFO] backup: message", line feeds shown as
    /// " ⏎ ".
    struct Message {
        timespec time;
        bool isError;
        QString channel;
        QString message;
        /// Also written there, just before the line; none for the file alone.
        SystemLog* systemLog;
    };

    /// Queues one complete line (with its line feed) and returns at once.
    void append(QByteArray line);
    /// Queues one message and returns at once.
    void append(Message message);
    /// Waits until every line queued so far is written (or dropped).
    void flush();

private:
    using Entry = std::variant<QByteArray, Message>;
    // Entries are queued in blocks made whole, so the memory a burst of calls needs is touched by one
    // caller per block rather than a page at a time by every fiftieth; emptied blocks are kept for reuse.
    struct Block {
        static constexpr std::size_t capacity = 256;
        std::array<Entry, capacity> entries;
        std::size_t count = 0;
    };
    static constexpr std::size_t sparesKept = 1;

    void enqueue(Entry entry);
    void run();
    void writeBatch(std::vector<std::unique_ptr<Block>>& batch);

    void write(const QByteArray& lines) const;

    QString directory_;
    QByteArray currentName_;
    QByteArray previousName_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::vector<std::unique_ptr<Block>> pending_;
    std::vector<std::unique_ptr<Block>> spares_;
    quint64 queued_ = 0;
    quint64 done_ = 0;
    bool stopping_ = false;
    bool writerWaiting_ = false;
    std::thread worker_;
};

} // namespace keldoran
