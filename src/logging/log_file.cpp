#include "log_file.h"

#include "platform/private_files.h"
#include "platform/user_folders.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace {

constexpr auto gatheringTime = std::chrono::milliseconds(2);
// Lines reach the file in writes of about this many bytes: one open and one write for many lines.
constexpr qsizetype chunkSize = 64 * 1024;

// Faster than QDateTime formatting.
QByteArray timestampOf(const timespec& time) {
    tm parts{};
    ::gmtime_r(&time.tv_sec, &parts);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                                     parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                                     parts.tm_min, parts.tm_sec, int(time.tv_nsec / 1000000));
    return QByteArray(text, length);
}

QByteArray lineOf(const LogFile::Message& message) {
    QString body = QLatin1String(message.isError ? " [ERROR] " : " [INFO] ") + message.channel +
                   QStringLiteral(": ") + message.message;
    body.replace(QLatin1Char('\n'), QStringLiteral(" \u23CE "));
    return timestampOf(message.time) + body.toUtf8() + '\n';
}

} // namespace

LogFile::LogFile(QString directory)
    : directory_(std::move(directory))
    , currentName_(QFile::encodeName(currentPath()))
    , previousName_(QFile::encodeName(previousPath()))
    , worker_([this] { run(); }) {}

LogFile::~LogFile() {
    {
        std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

LogFile& LogFile::shared() {
    static LogFile file(UserFolders::live().logs());
    return file;
}

QString LogFile::currentPath() const {
    return directory_ + QStringLiteral("/Keldoran.log");
}

QString LogFile::previousPath() const {
    return directory_ + QStringLiteral("/Keldoran.log.1");
}

void LogFile::append(QByteArray line) {
    enqueue(std::move(line));
}

void LogFile::append(Message message) {
    enqueue(std::move(message));
}

void LogFile::enqueue(Entry entry) {
    bool wake = false;
    {
        std::lock_guard guard(mutex_);
        // Waking the writer costs the caller a system call: only the first line it has not seen does.
        wake = writerWaiting_ && pending_.empty();
        if (pending_.empty() || pending_.back()->count == Block::capacity) {
            if (spares_.empty()) {
                pending_.push_back(std::make_unique<Block>());
            } else {
                pending_.push_back(std::move(spares_.back()));
                spares_.pop_back();
            }
        }
        auto& block = *pending_.back();
        block.entries[block.count++] = std::move(entry);
        ++queued_;
    }
    if (wake) {
        wake_.notify_one();
    }
}

void LogFile::flush() {
    std::unique_lock lock(mutex_);
    const auto target = queued_;
    written_.wait(lock, [&] { return done_ >= target; });
}

void LogFile::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        writerWaiting_ = true;
        wake_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
        writerWaiting_ = false;
        if (pending_.empty()) {
            return; // stopping, and everything is written
        }
        if (!stopping_) {
            // A burst of lines gathers meanwhile, and its callers need not wake the writer again.
            lock.unlock();
            std::this_thread::sleep_for(gatheringTime);
            lock.lock();
        }
        auto batch = std::exchange(pending_, {});
        lock.unlock();
        quint64 written = 0;
        for (const auto& block : batch) {
            written += block->count;
        }
        writeBatch(batch);
        lock.lock();
        done_ += written;
        while (!batch.empty() && spares_.size() < sparesKept) {
            spares_.push_back(std::move(batch.back()));
            batch.pop_back();
        }
        written_.notify_all();
        lock.unlock();
        batch.clear(); // not while holding the lock: freeing blocks takes a while
        lock.lock();
    }
}

void LogFile::writeBatch(std::vector<std::unique_ptr<Block>>& batch) {
    PrivateFiles::makeFolder(directory_);
    QByteArray chunk;
    for (const auto& block : batch) {
        for (std::size_t i = 0; i < block->count; ++i) {
            auto& entry = block->entries[i];
            if (const auto* message = std::get_if<Message>(&entry)) {
                if (message->systemLog) {
                    message->systemLog->write(message->isError ? SystemLog::Level::error
                                                               : SystemLog::Level::info,
                                              message->channel, message->message);
                }
                chunk += lineOf(*message);
            } else {
                chunk += std::get<QByteArray>(entry);
            }
            entry = Entry();
            if (chunk.size() >= chunkSize) {
                write(chunk);
                chunk.clear();
            }
        }
        block->count = 0;
    }
    if (!chunk.isEmpty()) {
        write(chunk);
    }
}

void LogFile::write(const QByteArray& lines) const {
    struct stat status {};
    if (::stat(currentName_.constData(), &status) == 0 && status.st_size >= rotationSize) {
        ::unlink(previousName_.constData());
        ::rename(currentName_.constData(), previousName_.constData());
    }
    const int descriptor = ::open(currentName_.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return;
    }
    // A log an older version made readable to all is narrowed too.
    ::fchmod(descriptor, 0600);
    for (qsizetype written = 0; written < lines.size();) {
        const auto count = ::write(descriptor, lines.constData() + written, size_t(lines.size() - written));
        if (count <= 0) {
            break;
        }
        written += count;
    }
    ::close(descriptor);
}

} // namespace keldoran
