#include "run_lock.h"

#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <sys/file.h>
#include <unistd.h>

namespace keldoran {

namespace {

const char* nameOf(RunLock::Holder holder) {
    switch (holder) {
    case RunLock::Holder::agent:
        return "agent";
    case RunLock::Holder::ctl:
        return "ctl";
    case RunLock::Holder::app:
        break;
    }
    return "app";
}

int openLockFile(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

} // namespace

RunLock::~RunLock() {
    // Emptied before the lock goes, so a stale name is never read as a holder.
    [[maybe_unused]] const int emptied = ::ftruncate(descriptor_, 0);
    ::close(descriptor_);
}

std::unique_ptr<RunLock> RunLock::acquire(const QString& path, Holder holder) {
    const int descriptor = openLockFile(path);
    if (descriptor < 0) {
        return nullptr;
    }
    // A lock per open file description: a second acquire in the same process fails too.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    const char* name = nameOf(holder);
    // The name is a courtesy: the lock is held whether or not it could be written.
    if (::ftruncate(descriptor, 0) == 0) {
        [[maybe_unused]] const auto written = ::pwrite(descriptor, name, ::strlen(name), 0);
    }
    return std::unique_ptr<RunLock>(new RunLock(descriptor));
}

std::optional<RunLock::Holder> RunLock::holder(const QString& path) {
    const int descriptor = openLockFile(path);
    if (descriptor < 0) {
        return std::nullopt;
    }
    if (::flock(descriptor, LOCK_SH | LOCK_NB) == 0) {
        ::close(descriptor);
        return std::nullopt;
    }
    char name[16] = {};
    const auto length = ::pread(descriptor, name, sizeof name - 1, 0);
    ::close(descriptor);
    const auto text = QByteArray(name, length > 0 ? int(length) : 0);
    if (text == "agent") {
        return Holder::agent;
    }
    if (text == "ctl") {
        return Holder::ctl;
    }
    return Holder::app;
}

} // namespace keldoran
