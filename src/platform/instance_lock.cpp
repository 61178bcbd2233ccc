#include "instance_lock.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstanceLock::~InstanceLock() {
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
