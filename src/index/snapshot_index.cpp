#include "snapshot_index.h"

#include "index_database.h"
#include "name_folding.h"
#include "restic/restore_selection.h"

#include <QDir>
#include <QSqlQuery>

namespace keldoran {

namespace {

QString childPath(const QString& folder, const QString& name) {
    return folder == QLatin1String("/") ? QLatin1Char('/') + name : folder + QLatin1Char('/') + name;
}

LsEntry entryAt(const QSqlQuery& row, int first, const QString& folder) {
    LsEntry entry;
    entry.structType = QStringLiteral("node");
    entry.name = row.value(first).toString();
    entry.type = row.value(first + 1).toString();
    entry.path = childPath(folder, entry.name);
    if (!row.isNull(first + 2)) {
        entry.size = quint64(row.value(first + 2).toLongLong());
    }
    if (!row.isNull(first + 3)) {
        entry.mtime = QDateTime::fromMSecsSinceEpoch(row.value(first + 3).toLongLong(), Qt::UTC);
    }
    return entry;
}

bool sameVersion(const LsEntry& a, const LsEntry& b) {
    return a.type == b.type && a.size == b.size && a.mtime == b.mtime;
}

} // namespace

SnapshotIndex::SnapshotIndex(QString folder)
    : file_(IndexDatabase::fileIn(folder)) {}

SnapshotIndex::~SnapshotIndex() = default;

QString SnapshotIndex::folderIn(const QString& caches) {
    return caches + QStringLiteral("/keldoran/index");
}

std::optional<QString> SnapshotIndex::open() {
    if (database_) {
        return std::nullopt;
    }
    auto database = std::make_unique<IndexDatabase>(file_);
    if (auto failure = database->open(IndexDatabase::Trust::verify)) {
        return failure;
    }
    database_ = std::move(database);
    return std::nullopt;
}

bool SnapshotIndex::wasReplaced() const {
    return database_ && database_->wasReplaced();
}

QList<std::pair<QString, QDateTime>> SnapshotIndex::indexedSnapshots() {
    QList<std::pair<QString, QDateTime>> snapshots;
    if (open()) {
        return snapshots;
    }
    auto query = database_->prepare(
        QStringLiteral("SELECT id, time FROM snapshot WHERE root IS NOT NULL ORDER BY time DESC"));
    query.exec();
    while (query.next()) {
        snapshots.append({query.value(0).toString(),
                          QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC)});
    }
    return snapshots;
}

bool SnapshotIndex::isIndexed(const QString& snapshotId) {
    return root(snapshotId).has_value();
}

std::optional<QString> SnapshotIndex::resolve(const QString& prefix) {
    if (prefix.isEmpty() || open()) {
        return std::nullopt;
    }
    QStringList found;
    for (const auto& [id, time] : indexedSnapshots()) {
        if (id.startsWith(prefix)) {
            found.append(id);
        }
    }
    return found.size() == 1 ? std::optional(found.first()) : std::nullopt;
}

std::optional<qint64> SnapshotIndex::root(const QString& snapshotId) {
    if (open()) {
        return std::nullopt;
    }
    auto query =
        database_->prepare(QStringLiteral("SELECT root FROM snapshot WHERE id = ? AND root IS NOT NULL"));
    query.addBindValue(snapshotId);
    if (!query.exec() || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

std::optional<qint64> SnapshotIndex::listingOf(qint64 root, const QString& folder) {
    auto child = database_->prepare(QStringLiteral(
        "SELECT child FROM entry WHERE listing = ? AND name = ? AND child IS NOT NULL LIMIT 1"));
    qint64 listing = root;
    for (const auto& name : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        child.bindValue(0, listing);
        child.bindValue(1, name);
        if (!child.exec() || !child.next()) {
            return std::nullopt;
        }
        listing = child.value(0).toLongLong();
        child.finish();
    }
    return listing;
}

QList<LsEntry> SnapshotIndex::entriesOf(qint64 listing, const QString& folder) {
    auto query = database_->prepare(
        QStringLiteral("SELECT name, type, size, mtime FROM entry WHERE listing = ? ORDER BY position"));
    query.addBindValue(listing);
    QList<LsEntry> entries;
    if (query.exec()) {
        while (query.next()) {
            entries.append(entryAt(query, 0, folder));
        }
    }
    return entries;
}

std::optional<QList<LsEntry>> SnapshotIndex::level(const QString& snapshotId, const QString& folder) {
    const auto top = root(snapshotId);
    if (!top) {
        return std::nullopt;
    }
    const auto listing = listingOf(*top, folder);
    return listing ? entriesOf(*listing, folder) : QList<LsEntry>();
}

SnapshotIndex::SearchResult SnapshotIndex::search(const QString& snapshotId, const QString& text,
                                                  const QString& below, qsizetype limit) {
    SearchResult result;
    const auto needle = NameFolding::fold(text);
    const auto top = root(snapshotId);
    if (needle.isEmpty() || !top) {
        return result;
    }
    const auto start = listingOf(*top, below);
    if (!start) {
        return result;
    }
    // The walk starts at the folder searched, and no row past the limit is read out: converting every
    // match of a frequent needle cost more than the walk itself.
    auto query = database_->prepare(
        QStringLiteral("WITH RECURSIVE folder(listing, path) AS ("
                       " SELECT ?, ?"
                       " UNION ALL SELECT e.child, folder.path || '/' || e.name FROM folder"
                       " JOIN entry e ON e.listing = folder.listing AND e.child IS NOT NULL)"
                       " SELECT folder.path, e.name, e.type, e.size, e.mtime FROM folder"
                       " JOIN entry e ON e.listing = folder.listing WHERE instr(e.folded, ?) > 0 LIMIT ?"));
    const auto base = below.endsWith(QLatin1Char('/')) ? below.chopped(1) : below;
    query.addBindValue(*start);
    query.addBindValue(base);
    query.addBindValue(needle);
    query.addBindValue(limit + 1);
    if (!query.exec()) {
        return result;
    }
    while (query.next()) {
        if (result.matches.size() == limit) {
            result.truncated = true;
            break;
        }
        auto folder = query.value(0).toString();
        if (folder.isEmpty()) {
            folder = QStringLiteral("/");
        }
        result.matches.append({folder, entryAt(query, 1, folder)});
    }
    return result;
}

QList<SnapshotIndex::Version> SnapshotIndex::versions(const QString& path) {
    QList<Version> versions;
    const auto folder = parentPath(path);
    const auto name = lastPathComponent(path);
    if (folder.isEmpty() || name.isEmpty() || open()) {
        return versions;
    }
    auto roots = database_->prepare(
        QStringLiteral("SELECT id, time, root FROM snapshot WHERE root IS NOT NULL ORDER BY time DESC"));
    auto find = database_->prepare(QStringLiteral("SELECT name, type, size, mtime FROM entry WHERE listing = "
                                                  "? AND name = ? ORDER BY position LIMIT 1"));
    roots.exec();
    while (roots.next()) {
        const auto listing = listingOf(roots.value(2).toLongLong(), folder);
        if (!listing) {
            continue;
        }
        find.bindValue(0, *listing);
        find.bindValue(1, name);
        if (!find.exec() || !find.next()) {
            continue;
        }
        const auto entry = entryAt(find, 0, folder);
        find.finish();
        // Newest first: an older snapshot with the same version only pushes that version back in time.
        if (!versions.isEmpty() && sameVersion(versions.last().entry, entry)) {
            continue;
        }
        versions.append({roots.value(0).toString(),
                         QDateTime::fromMSecsSinceEpoch(roots.value(1).toLongLong(), Qt::UTC), entry});
    }
    return versions;
}

std::optional<QString> SnapshotIndex::keepOnly(const QSet<QString>& existing) {
    if (auto failure = open()) {
        return failure;
    }
    QStringList gone;
    auto all = database_->prepare(QStringLiteral("SELECT id FROM snapshot"));
    all.exec();
    while (all.next()) {
        if (!existing.contains(all.value(0).toString())) {
            gone.append(all.value(0).toString());
        }
    }
    all.finish();
    if (gone.isEmpty()) {
        return std::nullopt;
    }
    if (!database_->transaction()) {
        return QStringLiteral("cannot change the snapshot index");
    }
    auto drop = database_->prepare(QStringLiteral("DELETE FROM snapshot WHERE id = ?"));
    for (const auto& id : gone) {
        drop.bindValue(0, id);
        drop.exec();
    }
    // What no remaining snapshot reaches goes, except what an unfinished one has stored so far.
    const char* const sweep[] = {
        "CREATE TEMP TABLE live(id INTEGER PRIMARY KEY)",
        "INSERT INTO live WITH RECURSIVE reach(id) AS (SELECT root FROM snapshot WHERE root IS NOT NULL"
        " UNION SELECT e.child FROM reach JOIN entry e ON e.listing = reach.id AND e.child IS NOT NULL)"
        " SELECT id FROM reach",
        "INSERT OR IGNORE INTO live SELECT listing.id FROM listing JOIN snapshot"
        " ON snapshot.rowid = listing.origin AND snapshot.root IS NULL",
        "DELETE FROM entry WHERE listing NOT IN (SELECT id FROM live)",
        "DELETE FROM listing WHERE id NOT IN (SELECT id FROM live)",
        "DROP TABLE live",
    };
    for (const char* statement : sweep) {
        if (auto failure = database_->execute(QString::fromLatin1(statement))) {
            database_->rollback();
            return failure;
        }
    }
    if (!database_->commit()) {
        return QStringLiteral("cannot change the snapshot index");
    }
    return std::nullopt;
}

} // namespace keldoran
