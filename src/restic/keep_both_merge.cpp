#include "keep_both_merge.h"

#include "file_name_text.h"
#include "restore_selection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace KeepBothMerge {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(KeepBothMerge)
};

constexpr qsizetype nameMax = 255;

// An open file descriptor, closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int fd = -1)
        : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.isEmpty() ? name : folder + '/' + name;
}

// A folder below `parent`, never through a link.
Descriptor openFolderAt(int parent, const QByteArray& name) {
    return Descriptor(::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<struct stat> statAt(int folder, const QByteArray& name) {
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return status;
}

// The names in a folder as bytes, in ascending byte order.
QList<QByteArray> namesIn(int folder) {
    QList<QByteArray> names;
    const int copy = ::dup(folder);
    DIR* directory = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!directory) {
        if (copy >= 0) {
            ::close(copy);
        }
        return names;
    }
    ::rewinddir(directory);
    while (const dirent* entry = ::readdir(directory)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.append(QByteArray(entry->d_name));
        }
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
}

// A staged folder we need to list and empty, whatever mode the snapshot gave it.
Descriptor openStagedFolder(int parent, const QByteArray& name, const struct stat& status) {
    if ((status.st_mode & S_IRWXU) != S_IRWXU) {
        ::fchmodat(parent, name.constData(), (status.st_mode & 07777) | S_IRWXU, 0);
    }
    return openFolderAt(parent, name);
}

void restoreTimes(int fd, const struct stat& status) {
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    ::futimens(fd, times);
}

// Mode, owner (where permitted) and times of `status` onto an open entry.
void applyMetadata(int fd, const struct stat& status) {
    if (::fchown(fd, status.st_uid, status.st_gid) != 0) {
        // Only root may give a file away; the mode and times still apply.
    }
    ::fchmod(fd, status.st_mode & 07777);
    restoreTimes(fd, status);
}

// Writes all of `count` bytes; answers 0 or errno.
int writeAll(int fd, const char* data, ssize_t count) {
    for (ssize_t written = 0; written < count;) {
        const ssize_t result = ::write(fd, data + written, size_t(count - written));
        if (result < 0 && errno != EINTR) {
            return errno;
        }
        written += std::max<ssize_t>(result, 0);
    }
    return 0;
}

// Copies the bytes [from, to) of `source` to the same place in `target`; answers 0 or errno.
int copyRange(int source, int target, off_t from, off_t to) {
    char buffer[1 << 16];
    if (::lseek(source, from, SEEK_SET) < 0 || ::lseek(target, from, SEEK_SET) < 0) {
        return errno;
    }
    for (off_t at = from; at < to;) {
        const ssize_t count = ::read(source, buffer, size_t(std::min<off_t>(sizeof buffer, to - at)));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? errno : 0;
        }
        if (const int error = writeAll(target, buffer, count)) {
            return error;
        }
        at += count;
    }
    return 0;
}

// Copies a regular file's data, leaving holes where the source has them; answers 0 or errno.
int copyData(int source, int target, off_t size) {
    for (off_t offset = 0; offset < size;) {
        off_t data = ::lseek(source, offset, SEEK_DATA);
        if (data < 0) {
            data = errno == ENXIO ? size : offset; // no more data, or no hole support
        }
        const off_t hole = data < size ? ::lseek(source, data, SEEK_HOLE) : size;
        const off_t end = hole < 0 ? size : hole;
        if (const int error = copyRange(source, target, data, end)) {
            return error;
        }
        offset = end;
    }
    return ::ftruncate(target, size) == 0 ? 0 : errno;
}

} // namespace

namespace {

// Copies one non-folder entry to a name that must not exist yet (another filesystem); 0 or errno.
int copyEntry(int fromFolder, const QByteArray& name, int toFolder, const QByteArray& target,
              const struct stat& status) {
    if (S_ISLNK(status.st_mode)) {
        QByteArray link(qsizetype(status.st_size) + 1, '\0');
        const ssize_t length = ::readlinkat(fromFolder, name.constData(), link.data(), size_t(link.size()));
        if (length < 0) {
            return errno;
        }
        link.truncate(length);
        if (::symlinkat(link.constData(), toFolder, target.constData()) != 0) {
            return errno;
        }
        const struct timespec times[2] = {status.st_atim, status.st_mtim};
        ::utimensat(toFolder, target.constData(), times, AT_SYMLINK_NOFOLLOW);
        return 0;
    }
    if (!S_ISREG(status.st_mode)) {
        return ::mknodat(toFolder, target.constData(), status.st_mode, status.st_rdev) == 0 ? 0 : errno;
    }
    const Descriptor source(::openat(fromFolder, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!source.isOpen()) {
        return errno;
    }
    const Descriptor copy(
        ::openat(toFolder, target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!copy.isOpen()) {
        return errno;
    }
    if (const int error = copyData(source.get(), copy.get(), status.st_size)) {
        ::unlinkat(toFolder, target.constData(), 0);
        return error;
    }
    applyMetadata(copy.get(), status);
    return 0;
}

// Moves an entry without ever replacing one: rename where the filesystem allows RENAME_NOREPLACE, a hard
// link (which refuses a taken name) for files where it does not. 0, EEXIST, EXDEV or another errno.
int moveWithoutReplacing(int fromFolder, const QByteArray& name, int toFolder, const QByteArray& target,
                         const struct stat& status) {
    if (::renameat2(fromFolder, name.constData(), toFolder, target.constData(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL) {
        return errno;
    }
    if (!S_ISDIR(status.st_mode)) {
        if (::linkat(fromFolder, name.constData(), toFolder, target.constData(), 0) != 0) {
            return errno;
        }
        ::unlinkat(fromFolder, name.constData(), 0);
        return 0;
    }
    if (statAt(toFolder, target)) {
        return EEXIST;
    }
    return ::renameat(fromFolder, name.constData(), toFolder, target.constData()) == 0 ? 0 : errno;
}

void removeEntry(int folder, const QByteArray& name) {
    const auto status = statAt(folder, name);
    if (!status) {
        return;
    }
    if (S_ISDIR(status->st_mode)) {
        if (const auto inside = openStagedFolder(folder, name, *status); inside.isOpen()) {
            for (const auto& child : namesIn(inside.get())) {
                removeEntry(inside.get(), child);
            }
        }
        ::unlinkat(folder, name.constData(), AT_REMOVEDIR);
    } else {
        ::unlinkat(folder, name.constData(), 0);
    }
}

// Walks the staged items one restore reported as failed and removes them, leaving the staged folders'
// modes and times as restic set them (they may yet be delivered whole).
void discardFailedItem(int staging, const QStringList& components) {
    struct Step {
        Descriptor folder;
        struct stat status;
    };
    std::vector<Step> path;
    int folder = staging;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const bool last = i == components.size() - 1;
        std::optional<Step> next;
        for (const auto& name : namesIn(folder)) {
            const auto status = statAt(folder, name);
            if (!status || fileNameText(name) != components[i]) {
                continue;
            }
            if (last && !S_ISDIR(status->st_mode)) {
                ::unlinkat(folder, name.constData(), 0);
            } else if (!last && S_ISDIR(status->st_mode) && !next) {
                next = Step{openStagedFolder(folder, name, *status), *status};
            }
        }
        if (last || !next || !next->folder.isOpen()) {
            break;
        }
        folder = next->folder.get();
        path.push_back(std::move(*next));
    }
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        ::fchmod(step->folder.get(), step->status.st_mode & 07777);
        restoreTimes(step->folder.get(), step->status);
    }
}

} // namespace

namespace {

// One merge: walks the staging folder and the destination side by side, holding both open.
class Merger {
public:
    explicit Merger(const Selection& selection)
        : wanted_(selection.names.begin(), selection.names.end()) {}

    RestoreMergeReport report;

    // Everything in `staged` into `destination`; `relative` is where both are below the roots.
    void mergeFolder(int staged, int destination, const QByteArray& relative) {
        for (const auto& name : namesIn(staged)) {
            if (relative.isEmpty() && !wanted_.isEmpty() && !wanted_.contains(fileNameText(name))) {
                continue; // a look-alike of a chosen name
            }
            deliver(staged, destination, name, joined(relative, name));
        }
    }

private:
    void deliver(int staged, int destination, const QByteArray& name, const QByteArray& relative) {
        const auto status = statAt(staged, name);
        if (!status) {
            undelivered(relative, errno);
            return;
        }
        if (S_ISDIR(status->st_mode)) {
            const auto present = statAt(destination, name);
            if (present && S_ISDIR(present->st_mode)) {
                // The user's folder stays as it is; the snapshot's contents join it.
                const auto from = openStagedFolder(staged, name, *status);
                const auto into = openFolderAt(destination, name);
                if (!from.isOpen() || !into.isOpen()) {
                    undelivered(relative, errno);
                    return;
                }
                mergeFolder(from.get(), into.get(), relative);
                return;
            }
        }
        place(staged, destination, name, relative, *status);
    }

    // Moves one item in under the first free name; another filesystem gets a copy.
    void place(int staged, int destination, const QByteArray& name, const QByteArray& relative,
               const struct stat& status) {
        const bool folder = S_ISDIR(status.st_mode);
        // Moving a folder to another parent rewrites its "..": a read-only one is opened up meanwhile.
        const bool readOnly = folder && !(status.st_mode & S_IWUSR);
        if (readOnly) {
            ::fchmodat(staged, name.constData(), (status.st_mode & 07777) | S_IWUSR, 0);
        }
        for (int attempt = 0;; ++attempt) {
            const auto candidate = candidateName(name, attempt, folder);
            int error = moveWithoutReplacing(staged, name, destination, candidate, status);
            if (error == EXDEV) {
                error = folder ? copyFolder(staged, destination, name, candidate, relative, status)
                               : copyEntry(staged, name, destination, candidate, status);
            }
            if (error == EEXIST) {
                continue;
            }
            if (error != 0) {
                undelivered(relative, error);
                return;
            }
            if (readOnly) {
                ::fchmodat(destination, candidate.constData(), status.st_mode & 07777, 0);
            }
            if (attempt > 0) {
                report.renamed.append({fileNameText(relative), fileNameText(candidate), folder});
            }
            return;
        }
    }

    // A folder recreated on another filesystem: its contents go in, then its own mode, owner and times.
    int copyFolder(int staged, int destination, const QByteArray& name, const QByteArray& target,
                   const QByteArray& relative, const struct stat& status) {
        if (::mkdirat(destination, target.constData(), 0700) != 0) {
            return errno;
        }
        const auto from = openStagedFolder(staged, name, status);
        const auto into = openFolderAt(destination, target);
        if (!from.isOpen() || !into.isOpen()) {
            return errno;
        }
        mergeFolder(from.get(), into.get(), relative);
        applyMetadata(into.get(), status);
        return 0;
    }

    void undelivered(const QByteArray& relative, int error) {
        report.undelivered.append({fileNameText(relative), systemError(error)});
    }

    QSet<QString> wanted_;
};

// The destination folder, made (private, as restic makes its targets) when it does not exist yet. The
// chosen folder itself may be a link; nothing below it is followed.
Descriptor openDestination(const QString& destination) {
    const auto path = QFile::encodeName(destination);
    Descriptor folder(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen() && errno == ENOENT) {
        const auto parent = QFile::encodeName(QFileInfo(destination).absolutePath());
        QDir().mkpath(QFile::decodeName(parent));
        ::mkdir(path.constData(), 0700);
        folder = Descriptor(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    if (!folder.isOpen()) {
        // errno is read before anything else runs.
        const auto reason = systemError(errno);
        throw RestoreMergeError(Text::tr("Couldn't open the folder “%1”: %2.").arg(destination, reason));
    }
    return folder;
}

} // namespace

QString createStagingFolder(const QString& destination) {
    auto parent = QFileInfo(destination).absoluteFilePath();
    while (!QFileInfo(parent).isDir() && parent != QLatin1String("/")) {
        parent = QFileInfo(parent).absolutePath();
    }
    const auto name =
        QStringLiteral("keldoran-restore-") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    for (const auto& folder : {parent, QDir::tempPath()}) {
        const auto staging = QDir(folder).filePath(name);
        if (::mkdir(QFile::encodeName(staging).constData(), 0700) == 0) {
            return staging;
        }
    }
    const auto reason = systemError(errno);
    throw RestoreMergeError(Text::tr("Couldn't make a folder to restore into: %1.").arg(reason));
}

RestoreMergeReport merge(const QString& staging, const QString& destination, const Selection& selection) {
    const Descriptor staged(
        ::open(QFile::encodeName(staging).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!staged.isOpen()) {
        const auto reason = systemError(errno);
        throw RestoreMergeError(Text::tr("Couldn't read the restored files: %1.").arg(reason));
    }
    for (const auto& item : selection.failedItems) {
        discardFailedItem(staged.get(), item.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    }
    const auto target = openDestination(destination);
    Merger merger(selection);
    merger.mergeFolder(staged.get(), target.get(), {});
    return merger.report;
}

QByteArray candidateName(const QByteArray& name, int attempt, bool isFolder) {
    if (attempt == 0) {
        return name;
    }
    const auto suffix =
        attempt == 1 ? QByteArray(" (restored)") : " (restored " + QByteArray::number(attempt) + ')';
    // "notes" and ".profile" have no extension; "report.pdf" has "pdf".
    const auto dot = isFolder ? -1 : name.lastIndexOf('.');
    const bool hasExtension = dot > 0 && dot < name.size() - 1 && name.size() - dot + suffix.size() < nameMax;
    auto stem = hasExtension ? name.left(dot) : name;
    const auto extension = hasExtension ? name.mid(dot) : QByteArray();
    const auto room = nameMax - suffix.size() - extension.size();
    if (stem.size() > room) {
        stem.truncate(room);
        // Never end inside a UTF-8 sequence: drop a lead byte whose continuation was cut off.
        auto start = stem.size() - 1;
        while (start > 0 && (quint8(stem[start]) & 0xC0) == 0x80) {
            --start;
        }
        const auto lead = quint8(stem[start]);
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (stem.size() - start < length) {
            stem.truncate(start);
        }
    }
    return stem + suffix + extension;
}

void removeStagingFolder(const QString& staging) {
    const QFileInfo info(staging);
    const Descriptor parent(
        ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.isOpen()) {
        removeEntry(parent.get(), QFile::encodeName(info.fileName()));
    }
}

} // namespace KeepBothMerge

} // namespace keldoran
