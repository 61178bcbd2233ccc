#pragma once

#include "restic/ls_entry.h"

#include <functional>
#include <optional>
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <vector>

namespace keldoran {

class IndexDatabase;

/// Turns one snapshot's recursive listing, in restic's order (each folder before its contents), into
/// stored folder listings. A folder is stored when its last entry has passed, under the hash of its
/// entries and of its subfolders' hashes, so a folder already stored for another snapshot costs nothing.
/// Holds the folders still open on the current path only. Not tied to a thread; each call gets the
/// connection to write with, and writes in one transaction.
class IndexWriter {
public:
    IndexWriter(QString snapshotId, QDateTime time);

    /// Registers the snapshot as being indexed.
    std::optional<QString> begin(IndexDatabase& database);
    /// Takes the next entries of the listing; the reason when they cannot be stored.
    std::optional<QString> append(IndexDatabase& database, const QList<LsEntry>& entries);
    /// Stores what is still open and marks the snapshot indexed.
    std::optional<QString> finish(IndexDatabase& database);

    qint64 entriesSeen() const { return entriesSeen_; }

private:
    struct Entry {
        QString name;
        QString type;
        std::optional<quint64> size;
        std::optional<qint64> mtime;
        QByteArray childHash;
        qint64 childId = 0;
    };
    struct OpenFolder {
        QString path;
        std::vector<Entry> entries;
    };
    class Statements;

    std::optional<QString> closeFolder(Statements& statements);
    std::optional<QString> store(Statements& statements, const OpenFolder& folder, QByteArray* hash,
                                 qint64* id);
    std::optional<QString> inTransaction(IndexDatabase& database,
                                         const std::function<std::optional<QString>(Statements&)>& work);

    QString snapshotId_;
    QDateTime time_;
    std::vector<OpenFolder> open_;
    qint64 origin_ = 0;
    qint64 entriesSeen_ = 0;
};

} // namespace keldoran
