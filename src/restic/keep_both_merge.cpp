#include "keep_both_merge.h"

#include "restore_selection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace KeepBothMerge {
namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool entryExists(const QString& path) {
    struct stat status;
    return ::lstat(encoded(path).constData(), &status) == 0;
}

bool isRealDirectory(const QString& path) {
    struct stat status;
    return ::lstat(encoded(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString joined(const QString& folder, const QString& relative) {
    return folder.endsWith(QLatin1Char('/')) ? folder + relative : folder + QLatin1Char('/') + relative;
}

// Every entry below `root`, relative to it. Staged folders are made owner-writable first: a read-only
// folder from the snapshot would otherwise keep its files from being moved out and the folder from going.
void collectEntries(const QString& root, const QString& relative, QStringList& entries) {
    const auto folder = relative.isEmpty() ? root : joined(root, relative);
    const auto folderName = encoded(folder);
    struct stat status;
    if (::lstat(folderName.constData(), &status) == 0 && (status.st_mode & S_IRWXU) != S_IRWXU) {
        ::chmod(folderName.constData(), status.st_mode | S_IRWXU);
    }
    DIR* directory = ::opendir(folderName.constData());
    if (!directory) {
        throw RestoreMergeError(QStringLiteral("Couldn't read the restored files: %1.").arg(systemError(errno)));
    }
    QStringList names;
    while (const dirent* entry = ::readdir(directory)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.append(QFile::decodeName(entry->d_name));
        }
    }
    ::closedir(directory);
    for (const auto& name : names) {
        const auto child = relative.isEmpty() ? name : relative + QLatin1Char('/') + name;
        entries.append(child);
        if (isRealDirectory(joined(root, child))) {
            collectEntries(root, child, entries);
        }
    }
}

// Copies a regular file to a name that must not exist yet, keeping its mode and times; returns 0 or errno.
int copyRegularFile(const QByteArray& from, const QByteArray& to, const struct stat& status) {
    const int source = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return errno;
    }
    const int target = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 07777);
    if (target < 0) {
        const int error = errno;
        ::close(source);
        return error;
    }
    int error = 0;
    char buffer[1 << 16];
    while (!error) {
        const ssize_t count = ::read(source, buffer, sizeof buffer);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            error = errno == EINTR ? 0 : errno;
            continue;
        }
        for (ssize_t written = 0; written < count && !error;) {
            const ssize_t result = ::write(target, buffer + written, size_t(count - written));
            if (result >= 0) {
                written += result;
            } else if (errno != EINTR) {
                error = errno;
            }
        }
    }
    if (!error) {
        ::fchmod(target, status.st_mode & 07777);
        const struct timespec times[2] = {status.st_atim, status.st_mtim};
        ::futimens(target, times);
    }
    if (::close(target) != 0 && !error) {
        error = errno;
    }
    ::close(source);
    if (error) {
        ::unlink(to.constData());
    }
    return error;
}

// Copies a file or a link (as a link) to a name that must not exist yet; returns 0 or errno.
int copyEntry(const QByteArray& from, const QByteArray& to) {
    struct stat status;
    if (::lstat(from.constData(), &status) != 0) {
        return errno;
    }
    if (S_ISREG(status.st_mode)) {
        return copyRegularFile(from, to, status);
    }
    if (!S_ISLNK(status.st_mode)) {
        return ENOTSUP;
    }
    QByteArray target(qsizetype(status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(from.constData(), target.data(), size_t(target.size()));
    if (length < 0) {
        return errno;
    }
    target.truncate(length);
    return ::symlink(target.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

QString createStagingFolder(const QString& destination) {
    auto parent = QFileInfo(destination).absoluteFilePath();
    while (!isRealDirectory(parent) && parent != QLatin1String("/")) {
        parent = QFileInfo(parent).absolutePath();
    }
    const auto name = QStringLiteral("keldoran-restore-") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    for (const auto& folder : {parent, QDir::tempPath()}) {
        const auto staging = joined(folder, name);
        if (::mkdir(encoded(staging).constData(), 0700) == 0) {
            return staging;
        }
    }
    throw RestoreMergeError(QStringLiteral("Couldn't make a folder to restore into: %1.").arg(systemError(errno)));
}

QString candidateName(const QString& wanted, int attempt) {
    if (attempt == 0) {
        return wanted;
    }
    const auto folder = parentPath(wanted);
    const auto name = lastPathComponent(wanted);
    // "notes" and ".profile" have no extension; "report.pdf" has "pdf".
    const auto dot = name.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot > 0 && dot < name.size() - 1;
    const auto base = hasExtension ? name.left(dot) : name;
    const auto suffix = attempt == 1 ? QStringLiteral(" (restored)") : QStringLiteral(" (restored %1)").arg(attempt);
    const auto freeName = base + suffix + (hasExtension ? name.mid(dot) : QString());
    return folder.isEmpty() ? freeName : joined(folder, freeName);
}

bool moveWithoutReplacing(const QString& from, const QString& to) {
    const auto source = encoded(from);
    const auto target = encoded(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    int error = errno;
    if (error == EINVAL) {
        // A filesystem without RENAME_NOREPLACE: check, then rename.
        if (entryExists(to)) {
            return false;
        }
        if (::rename(source.constData(), target.constData()) == 0) {
            return true;
        }
        error = errno;
    }
    if (error == EEXIST) {
        return false;
    }
    if (error == EXDEV) {
        const int copyError = copyEntry(source, target);
        if (copyError == 0) {
            ::unlink(source.constData());
            return true;
        }
        if (copyError == EEXIST) {
            return false;
        }
        error = copyError;
    }
    throw RestoreMergeError(QStringLiteral("Couldn't move “%1” to “%2”: %3.")
                                .arg(lastPathComponent(from), parentPath(to), systemError(error)));
}

void merge(const QString& staging, const QString& destination) {
    QStringList entries;
    collectEntries(staging, QString(), entries);
    std::sort(entries.begin(), entries.end());
    for (const auto& relative : entries) {
        const auto staged = joined(staging, relative);
        if (!entryExists(staged) || isRealDirectory(staged)) {
            continue;
        }
        const auto wanted = joined(destination, relative);
        const auto folder = parentPath(wanted);
        if (!QDir().mkpath(folder)) {
            throw RestoreMergeError(QStringLiteral("Couldn't create the folder “%1”.").arg(folder));
        }
        for (int attempt = 0;; ++attempt) {
            const auto candidate = candidateName(wanted, attempt);
            if (!entryExists(candidate) && moveWithoutReplacing(staged, candidate)) {
                break;
            }
        }
    }
}

void removeStagingFolder(const QString& staging) {
    QStringList entries;
    try {
        // Makes read-only staged folders removable.
        collectEntries(staging, QString(), entries);
    } catch (const RestoreMergeError&) {
    }
    QDir(staging).removeRecursively();
}

} // namespace KeepBothMerge
