#pragma once

#include <map>
#include <QByteArray>
#include <QString>
#include <sys/types.h>
#include <vector>

namespace keldoran {

/// Real folders built and read back byte for byte: names as bytes, modes, link targets, contents and
/// modification times, so two trees can be compared entry by entry.
namespace FileTree {

struct Entry {
    enum class Type { file, folder, link, other };
    Type type = Type::other;
    mode_t mode = 0;
    /// A file's SHA-1, a link's target.
    QByteArray content;
    /// Seconds; left out (0) for links, whose times restic does not restore.
    qint64 mtime = 0;
    /// A file of 1 MiB or more with less than half of it allocated.
    bool sparse = false;
    bool operator==(const Entry&) const = default;
};

/// Relative path (bytes) to entry.
using Tree = std::map<QByteArray, Entry>;

/// Everything below `root`, never following a link; `root` itself is not an entry.
Tree read(const QString& root);
Tree read(const QByteArray& root);
/// The entries of `actual` that differ from `expected`, one line each, for a failure message.
QString difference(const Tree& expected, const Tree& actual);
/// The part of `tree` below `folder` (a relative path), with paths relative to it.
Tree below(const Tree& tree, const QByteArray& folder);
dev_t deviceOf(const QString& path);
/// The permission bits of `path` (0 when it cannot be read), links not followed.
unsigned modeOf(const QString& path);
/// Removes an entry and everything below it, whatever its name's bytes.
void remove(const QByteArray& path);
QString describe(const QByteArray& path);

/// Builds a tree below `root`. Folder modes and times are applied by finish() (or on destruction),
/// deepest first, once everything inside exists.
class Builder {
public:
    explicit Builder(QString root);
    ~Builder();
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    void folder(const QByteArray& path, mode_t mode = 0755, qint64 mtime = 0);
    void file(const QByteArray& path, const QByteArray& content, mode_t mode = 0644, qint64 mtime = 0);
    /// A file of `size` bytes that holds only `tail` at its end.
    void sparseFile(const QByteArray& path, qint64 size, const QByteArray& tail);
    void link(const QByteArray& path, const QByteArray& target);
    void finish();

private:
    QByteArray absolute(const QByteArray& path) const;
    struct PendingFolder {
        QByteArray path;
        mode_t mode;
        qint64 mtime;
    };
    QByteArray root_;
    std::vector<PendingFolder> folders_;
};

} // namespace FileTree

} // namespace keldoran
