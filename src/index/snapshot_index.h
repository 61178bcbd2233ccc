#pragma once

#include "restic/ls_entry.h"

#include <memory>
#include <optional>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

namespace keldoran {

class IndexDatabase;

/// Reads the snapshot index: folder levels, whole-snapshot search and a file's versions, all without
/// restic. Opened on first use on the thread that uses it; a damaged or foreign file is replaced then.
class SnapshotIndex {
public:
    struct Match {
        /// The folder holding the entry.
        QString folder;
        LsEntry entry;
    };
    struct SearchResult {
        QList<Match> matches;
        /// There were more matches than the limit.
        bool truncated = false;
    };
    struct Version {
        QString snapshotId;
        QDateTime snapshotTime;
        LsEntry entry;
        bool operator==(const Version&) const = default;
    };

    explicit SnapshotIndex(QString folder);
    ~SnapshotIndex();

    /// The folder of the index in the user's caches folder.
    static QString folderIn(const QString& caches);
    const QString& file() const { return file_; }

    /// Opens and checks the file (once); the reason when it cannot be used.
    std::optional<QString> open();
    /// Whether open() replaced a damaged or foreign file.
    bool wasReplaced() const;

    /// The snapshots indexed completely, and when each was taken.
    QList<std::pair<QString, QDateTime>> indexedSnapshots();
    bool isIndexed(const QString& snapshotId);
    /// The full id of the indexed snapshot `prefix` names, when exactly one does.
    std::optional<QString> resolve(const QString& prefix);

    /// The entries of one folder, in restic's order, as `restic ls` lists them; none when the snapshot is
    /// not indexed.
    std::optional<QList<LsEntry>> level(const QString& snapshotId, const QString& folder);
    /// The entries below `below` whose name contains `text`, compared case- and accent-insensitively.
    SearchResult search(const QString& snapshotId, const QString& text, const QString& below,
                        qsizetype limit);
    /// One row per different version of the file at `path` across indexed snapshots, newest first; each
    /// names the newest snapshot holding that version.
    QList<Version> versions(const QString& path);
    /// Drops the snapshots not in `existing`, and whatever only they held.
    std::optional<QString> keepOnly(const QSet<QString>& existing);

private:
    std::optional<qint64> root(const QString& snapshotId);
    /// The listing of `folder` below `root`; none when it is not there.
    std::optional<qint64> listingOf(qint64 root, const QString& folder);
    QList<LsEntry> entriesOf(qint64 listing, const QString& folder);

    QString file_;
    std::unique_ptr<IndexDatabase> database_;
};

} // namespace keldoran
