#include "instance_lock.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

InstanceLock::~InstanceLock() {
    // Still held here: nobody can read a holder that has gone.
    [[maybe_unused]] const int cleared = ::ftruncate(descriptor_, 0);
    ::close(descriptor_);
}

std::unique_ptr<InstanceLock> InstanceLock::acquire(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return nullptr;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(descriptor));
}

bool InstanceLock::isHeldElsewhere(const QString& path) {
    return acquire(path) == nullptr;
}

void InstanceLock::setHolder(const QString& name) {
    const auto text = name.toUtf8();
    if (::ftruncate(descriptor_, 0) == 0) {
        [[maybe_unused]] const auto written = ::pwrite(descriptor_, text.constData(), size_t(text.size()), 0);
    }
}

QString InstanceLock::holder(const QString& path) {
    if (!isHeldElsewhere(path)) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.read(64));
}

QString InstanceLock::folder(const QString& runtimeFolder) {
    const auto folder = runtimeFolder.isEmpty() ? QStringLiteral("/tmp/keldoran-%1").arg(::getuid())
                                                : runtimeFolder + QStringLiteral("/keldoran");
    const auto native = QFile::encodeName(folder);
    // Only a folder made here is given its mode: one that existed is checked, never adopted.
    if (::mkdir(native.constData(), 0700) == 0) {
        ::chmod(native.constData(), 0700);
    }
    return folder;
}

bool InstanceLock::isFolderPrivate(const QString& runtimeFolder) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder(runtimeFolder)).constData(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 07777) == 0700;
}

} // namespace keldoran
