#include "index_writer.h"

#include "index_database.h"
#include "name_folding.h"
#include "restic/restore_selection.h"

#include <QCryptographicHash>
#include <QSqlError>

namespace keldoran {

class IndexWriter::Statements {
public:
    explicit Statements(IndexDatabase& database)
        : findListing(database.prepare(QStringLiteral("SELECT id FROM listing WHERE hash = ?"), &error))
        , insertListing(
              database.prepare(QStringLiteral("INSERT INTO listing(hash, origin) VALUES (?, ?)"), &error))
        , insertEntry(database.prepare(
              QStringLiteral("INSERT INTO entry(listing, position, name, folded, type, size, mtime, child)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
              &error)) {}

    QString error;
    QSqlQuery findListing;
    QSqlQuery insertListing;
    QSqlQuery insertEntry;
};

namespace {

QString failureOf(const QSqlQuery& query) {
    return query.lastError().text();
}

} // namespace

IndexWriter::IndexWriter(QString snapshotId, QDateTime time)
    : snapshotId_(std::move(snapshotId))
    , time_(std::move(time)) {
    open_.push_back({QStringLiteral("/"), {}});
}

std::optional<QString>
IndexWriter::inTransaction(IndexDatabase& database,
                           const std::function<std::optional<QString>(Statements&)>& work) {
    if (!database.transaction()) {
        return QStringLiteral("cannot start writing the snapshot index");
    }
    Statements statements(database);
    auto failure = statements.error.isEmpty() ? work(statements) : std::optional(statements.error);
    if (!failure && !database.commit()) {
        failure = QStringLiteral("cannot write the snapshot index");
    }
    if (failure) {
        database.rollback();
    }
    return failure;
}

std::optional<QString> IndexWriter::begin(IndexDatabase& database) {
    QString error;
    auto query = database.prepare(
        QStringLiteral("INSERT OR IGNORE INTO snapshot(id, time, root) VALUES (?, ?, NULL)"), &error);
    query.addBindValue(snapshotId_);
    query.addBindValue(time_.toMSecsSinceEpoch());
    if (!error.isEmpty() || !query.exec()) {
        return error.isEmpty() ? failureOf(query) : error;
    }
    auto row = database.prepare(QStringLiteral("SELECT rowid FROM snapshot WHERE id = ?"));
    row.addBindValue(snapshotId_);
    if (!row.exec() || !row.next()) {
        return failureOf(row);
    }
    origin_ = row.value(0).toLongLong();
    return std::nullopt;
}

std::optional<QString> IndexWriter::append(IndexDatabase& database, const QList<LsEntry>& entries) {
    return inTransaction(database, [&](Statements& statements) -> std::optional<QString> {
        for (const auto& entry : entries) {
            const auto parent = parentPath(entry.path);
            // Restic lists a folder right before its contents: a folder whose last entry has passed is done.
            while (open_.size() > 1 && open_.back().path != parent) {
                if (auto failure = closeFolder(statements)) {
                    return failure;
                }
            }
            if (open_.back().path != parent) {
                return QStringLiteral("restic listed %1 outside its folder").arg(entry.path);
            }
            std::optional<qint64> mtime;
            if (entry.mtime) {
                mtime = entry.mtime->toMSecsSinceEpoch();
            }
            open_.back().entries.push_back({entry.name, entry.type, entry.size, mtime, {}, 0});
            if (entry.isDirectory()) {
                open_.push_back({entry.path, {}});
            }
            ++entriesSeen_;
        }
        return std::nullopt;
    });
}

std::optional<QString> IndexWriter::finish(IndexDatabase& database) {
    return inTransaction(database, [&](Statements& statements) -> std::optional<QString> {
        while (open_.size() > 1) {
            if (auto failure = closeFolder(statements)) {
                return failure;
            }
        }
        QByteArray hash;
        qint64 root = 0;
        if (auto failure = store(statements, open_.front(), &hash, &root)) {
            return failure;
        }
        QString error;
        auto query = database.prepare(QStringLiteral("UPDATE snapshot SET root = ? WHERE id = ?"), &error);
        query.addBindValue(root);
        query.addBindValue(snapshotId_);
        if (!error.isEmpty() || !query.exec() || query.numRowsAffected() != 1) {
            return error.isEmpty() ? QStringLiteral("the snapshot left the index while it was written")
                                   : error;
        }
        return std::nullopt;
    });
}

std::optional<QString> IndexWriter::closeFolder(Statements& statements) {
    auto folder = std::move(open_.back());
    open_.pop_back();
    auto& entry = open_.back().entries.back();
    return store(statements, folder, &entry.childHash, &entry.childId);
}

std::optional<QString> IndexWriter::store(Statements& statements, const OpenFolder& folder, QByteArray* hash,
                                          qint64* id) {
    QCryptographicHash hasher(QCryptographicHash::Sha256);
    for (const auto& entry : folder.entries) {
        const auto name = entry.name.toUtf8();
        const QByteArray fields = QByteArray::number(name.size()) + ':' + name + entry.type.toUtf8() + '|' +
                                  (entry.size ? QByteArray::number(*entry.size) : QByteArray("-")) + '|' +
                                  (entry.mtime ? QByteArray::number(*entry.mtime) : QByteArray("-")) + '|';
        hasher.addData(fields);
        hasher.addData(entry.childHash.isEmpty() ? QByteArray(32, '\0') : entry.childHash);
    }
    *hash = hasher.result();

    auto& find = statements.findListing;
    find.bindValue(0, *hash);
    if (!find.exec()) {
        return failureOf(find);
    }
    if (find.next()) {
        *id = find.value(0).toLongLong();
        find.finish();
        return std::nullopt;
    }
    find.finish();
    auto& insert = statements.insertListing;
    insert.bindValue(0, *hash);
    insert.bindValue(1, origin_);
    if (!insert.exec()) {
        return failureOf(insert);
    }
    *id = insert.lastInsertId().toLongLong();
    auto& add = statements.insertEntry;
    for (qsizetype position = 0; position < qsizetype(folder.entries.size()); ++position) {
        const auto& entry = folder.entries[position];
        add.bindValue(0, *id);
        add.bindValue(1, position);
        add.bindValue(2, entry.name);
        add.bindValue(3, NameFolding::fold(entry.name));
        add.bindValue(4, entry.type);
        add.bindValue(5, entry.size ? QVariant(qint64(*entry.size)) : QVariant());
        add.bindValue(6, entry.mtime ? QVariant(*entry.mtime) : QVariant());
        add.bindValue(7, entry.childId != 0 ? QVariant(entry.childId) : QVariant());
        if (!add.exec()) {
            return failureOf(add);
        }
    }
    return std::nullopt;
}

} // namespace keldoran
