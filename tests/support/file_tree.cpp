#include "file_tree.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace FileTree {
namespace {

QByteArray hashOf(const QByteArray& path) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    char buffer[1 << 16];
    for (ssize_t count; fd >= 0 && (count = ::read(fd, buffer, sizeof buffer)) > 0;) {
        hash.addData(QByteArrayView(buffer, count));
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return hash.result().toHex();
}

void collect(const QByteArray& root, const QByteArray& relative, Tree& tree) {
    const auto folder = relative.isEmpty() ? root : root + '/' + relative;
    DIR* directory = ::opendir(folder.constData());
    if (!directory) {
        return;
    }
    std::vector<QByteArray> names;
    while (const dirent* entry = ::readdir(directory)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(directory);
    for (const auto& name : names) {
        const auto path = relative.isEmpty() ? name : relative + '/' + name;
        const auto full = root + '/' + path;
        struct stat status {};
        ::lstat(full.constData(), &status);
        Entry entry;
        entry.mode = status.st_mode & 07777;
        entry.mtime = status.st_mtim.tv_sec;
        if (S_ISDIR(status.st_mode)) {
            entry.type = Entry::Type::folder;
            collect(root, path, tree);
        } else if (S_ISREG(status.st_mode)) {
            entry.type = Entry::Type::file;
            entry.content = hashOf(full);
            entry.sparse = status.st_size >= (1 << 20) && status.st_blocks * 512 < status.st_size / 2;
        } else if (S_ISLNK(status.st_mode)) {
            entry.type = Entry::Type::link;
            entry.mode = 0;
            entry.mtime = 0;
            QByteArray target(qsizetype(status.st_size) + 1, '\0');
            target.truncate(
                std::max<ssize_t>(0, ::readlink(full.constData(), target.data(), size_t(target.size()))));
            entry.content = target;
        }
        tree[path] = entry;
    }
}

QString describe(const Entry& entry) {
    static const char* types[] = {"file", "folder", "link", "other"};
    return QStringLiteral("%1 %2 %3 @%4%5")
        .arg(QLatin1String(types[int(entry.type)]))
        .arg(entry.mode, 4, 8, QLatin1Char('0'))
        .arg(QString::fromLatin1(entry.content.left(12)))
        .arg(entry.mtime)
        .arg(entry.sparse ? QStringLiteral(" sparse") : QString());
}

void setTimes(const QByteArray& path, qint64 mtime) {
    if (mtime != 0) {
        const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
        ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
    }
}

} // namespace

Tree read(const QString& root) {
    return read(QFile::encodeName(root));
}

Tree read(const QByteArray& root) {
    Tree tree;
    collect(root, {}, tree);
    return tree;
}

QString describe(const QByteArray& path) {
    return QString::fromUtf8(path.toPercentEncoding("/ ()[]*?-+,.~_@#'&!=;:"));
}

QString difference(const Tree& expected, const Tree& actual) {
    QStringList lines;
    for (const auto& [path, entry] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end()) {
            lines.append(QStringLiteral("missing %1 (%2)").arg(describe(path), describe(entry)));
        } else if (!(found->second == entry)) {
            lines.append(QStringLiteral("changed %1: %2 instead of %3")
                             .arg(describe(path), describe(found->second), describe(entry)));
        }
    }
    for (const auto& [path, entry] : actual) {
        if (!expected.count(path)) {
            lines.append(QStringLiteral("unexpected %1 (%2)").arg(describe(path), describe(entry)));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

Tree below(const Tree& tree, const QByteArray& folder) {
    Tree part;
    const auto prefix = folder + '/';
    for (const auto& [path, entry] : tree) {
        if (path.startsWith(prefix)) {
            part[path.mid(prefix.size())] = entry;
        }
    }
    return part;
}

void remove(const QByteArray& path) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        return;
    }
    if (S_ISDIR(status.st_mode)) {
        ::chmod(path.constData(), 0700);
        DIR* directory = ::opendir(path.constData());
        std::vector<QByteArray> names;
        while (const dirent* entry = directory ? ::readdir(directory) : nullptr) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                names.emplace_back(entry->d_name);
            }
        }
        if (directory) {
            ::closedir(directory);
        }
        for (const auto& name : names) {
            remove(path + '/' + name);
        }
        ::rmdir(path.constData());
    } else {
        ::unlink(path.constData());
    }
}

unsigned modeOf(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

dev_t deviceOf(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_dev;
}

Builder::Builder(QString root)
    : root_(QFile::encodeName(root)) {
    QDir().mkpath(root);
}

Builder::~Builder() {
    finish();
}

QByteArray Builder::absolute(const QByteArray& path) const {
    return root_ + '/' + path;
}

void Builder::folder(const QByteArray& path, mode_t mode, qint64 mtime) {
    ASSERT_EQ(::mkdir(absolute(path).constData(), 0700), 0)
        << describe(path).toStdString() << ": " << std::strerror(errno);
    folders_.push_back({path, mode, mtime});
}

void Builder::file(const QByteArray& path, const QByteArray& content, mode_t mode, qint64 mtime) {
    const auto full = absolute(path);
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << describe(path).toStdString() << ": " << std::strerror(errno);
    ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
    ::fchmod(fd, mode);
    ::close(fd);
    setTimes(full, mtime);
}

void Builder::sparseFile(const QByteArray& path, qint64 size, const QByteArray& tail) {
    const auto full = absolute(path);
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, tail.constData(), size_t(tail.size()), size - tail.size()), tail.size());
    ::close(fd);
}

void Builder::link(const QByteArray& path, const QByteArray& target) {
    ASSERT_EQ(::symlink(target.constData(), absolute(path).constData()), 0) << std::strerror(errno);
}

void Builder::finish() {
    std::sort(folders_.begin(), folders_.end(), [](const PendingFolder& a, const PendingFolder& b) {
        return a.path.count('/') > b.path.count('/');
    });
    for (const auto& folder : folders_) {
        ::chmod(absolute(folder.path).constData(), folder.mode);
        setTimes(absolute(folder.path), folder.mtime);
    }
    folders_.clear();
}

} // namespace FileTree

} // namespace keldoran
