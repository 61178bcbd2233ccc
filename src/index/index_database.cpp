#include "index_database.h"

#include "logging/log.h"
#include "platform/private_files.h"

#include <atomic>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace keldoran {

namespace {

// "KLDI": tells our file from any other SQLite database.
constexpr int applicationId = 0x4B4C4449;
constexpr int layoutVersion = 1;

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("keldoran-index-%1").arg(counter.fetch_add(1));
}

const char* const schema[] = {
    // A folder's entries, stored once however many snapshots or places hold the same folder; `origin` is
    // the snapshot whose indexing stored it, so an unfinished one keeps its work.
    "CREATE TABLE IF NOT EXISTS listing(id INTEGER PRIMARY KEY, hash BLOB NOT NULL UNIQUE, origin INTEGER "
    "NOT NULL)",
    "CREATE TABLE IF NOT EXISTS entry(listing INTEGER NOT NULL, position INTEGER NOT NULL, name TEXT NOT "
    "NULL,"
    " folded TEXT NOT NULL, type TEXT NOT NULL, size INTEGER, mtime INTEGER, child INTEGER,"
    " PRIMARY KEY(listing, position)) WITHOUT ROWID",
    "CREATE INDEX IF NOT EXISTS entry_folder ON entry(listing, name, child) WHERE child IS NOT NULL",
    // A snapshot is indexed once its root is set.
    "CREATE TABLE IF NOT EXISTS snapshot(id TEXT PRIMARY KEY, time INTEGER NOT NULL, root INTEGER)",
};

} // namespace

IndexDatabase::IndexDatabase(QString file)
    : file_(std::move(file))
    , connectionName_(nextConnectionName()) {}

IndexDatabase::~IndexDatabase() {
    if (database_.isValid()) {
        database_.close();
        database_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

QString IndexDatabase::fileIn(const QString& folder) {
    return folder + QStringLiteral("/index.sqlite");
}

std::optional<QString> IndexDatabase::open(Trust trust) {
    // The index names every file backed up: it is the user's alone, as the log and settings are.
    if (!PrivateFiles::makeFolder(QFileInfo(file_).absolutePath())) {
        return QStringLiteral("cannot create the folder of ") + file_;
    }
    if (const auto unopened = openFile()) {
        return unopened;
    }
    if (trust == Trust::alreadyVerified) {
        return std::nullopt;
    }
    auto version = prepare(QStringLiteral("PRAGMA user_version"));
    const bool empty =
        version.exec() && version.next() && version.value(0).toInt() == 0 && database_.tables().isEmpty();
    version.finish();
    if (empty) {
        return createSchema();
    }
    if (isTrustworthy()) {
        return std::nullopt;
    }
    Log::lifecycle().info(QStringLiteral("snapshot index damaged or foreign — starting a new one"));
    replaced_ = true;
    database_.close();
    removeFiles();
    if (const auto unopened = openFile()) {
        return unopened;
    }
    return createSchema();
}

std::optional<QString> IndexDatabase::openFile() {
    // SQLite gives new journal files the database file's mode; older ones are narrowed here.
    if (!PrivateFiles::makeFile(file_)) {
        return QStringLiteral("cannot create ") + file_;
    }
    for (const auto* suffix : {"-wal", "-shm"}) {
        if (QFile::exists(file_ + QLatin1String(suffix))) {
            PrivateFiles::makeFile(file_ + QLatin1String(suffix));
        }
    }
    if (!database_.isValid()) {
        database_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        database_.setDatabaseName(file_);
        database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!database_.open()) {
        return database_.lastError().text();
    }
    // Readers go on while a snapshot is written; a crash loses at most the last batch.
    execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return std::nullopt;
}

bool IndexDatabase::isTrustworthy() const {
    const auto single = [this](const QString& sql) -> QVariant {
        auto query = prepare(sql);
        return query.exec() && query.next() ? query.value(0) : QVariant();
    };
    if (single(QStringLiteral("PRAGMA application_id")).toInt() != applicationId ||
        single(QStringLiteral("PRAGMA user_version")).toInt() != layoutVersion) {
        return false;
    }
    return single(QStringLiteral("PRAGMA quick_check")).toString() == QLatin1String("ok");
}

std::optional<QString> IndexDatabase::createSchema() {
    if (!transaction()) {
        return QStringLiteral("cannot write the snapshot index");
    }
    for (const char* statement : schema) {
        if (auto failure = execute(QString::fromLatin1(statement))) {
            rollback();
            return failure;
        }
    }
    execute(QStringLiteral("PRAGMA application_id=%1").arg(applicationId));
    execute(QStringLiteral("PRAGMA user_version=%1").arg(layoutVersion));
    if (!commit()) {
        return QStringLiteral("cannot write the snapshot index");
    }
    return std::nullopt;
}

void IndexDatabase::removeFiles() {
    for (const auto* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(file_ + QLatin1String(suffix));
    }
}

QSqlQuery IndexDatabase::prepare(const QString& sql, QString* error) const {
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    if (!query.prepare(sql) && error) {
        *error = query.lastError().text();
    }
    return query;
}

std::optional<QString> IndexDatabase::execute(const QString& sql) const {
    QSqlQuery query(database_);
    if (!query.exec(sql)) {
        return query.lastError().text();
    }
    return std::nullopt;
}

} // namespace keldoran
