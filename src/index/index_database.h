#pragma once

#include <optional>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace keldoran {

/// One connection to the snapshot index file, used only on the thread that opened it. The file holds
/// nothing that cannot be listed again, so one that is not an index of this layout, or that SQLite finds
/// damaged, is removed and created anew rather than trusted.
class IndexDatabase {
public:
    enum class Trust {
        /// Checks the file's identity and structure, replacing it when either is wrong.
        verify,
        /// For a connection opened after a verified one, within the same run.
        alreadyVerified,
    };

    explicit IndexDatabase(QString file);
    ~IndexDatabase();
    IndexDatabase(const IndexDatabase&) = delete;
    IndexDatabase& operator=(const IndexDatabase&) = delete;

    /// The index file in a folder ($XDG_CACHE_HOME/keldoran/index).
    static QString fileIn(const QString& folder);

    /// Opens the file, creating it when missing; the reason when it cannot be used.
    std::optional<QString> open(Trust trust);
    /// Whether open() found the file damaged or foreign and started a new one.
    bool wasReplaced() const { return replaced_; }

    /// A statement prepared on this connection; `error` receives SQLite's reason when it fails.
    QSqlQuery prepare(const QString& sql, QString* error = nullptr) const;
    /// Runs one statement without results; the reason when it fails.
    std::optional<QString> execute(const QString& sql) const;
    /// Takes the write lock at once (waiting for another writer), so a read inside the transaction
    /// never goes stale before its write.
    bool transaction() { return !execute(QStringLiteral("BEGIN IMMEDIATE")); }
    bool commit() { return !execute(QStringLiteral("COMMIT")); }
    void rollback() { execute(QStringLiteral("ROLLBACK")); }

private:
    /// Why the file could not be opened, if it could not.
    std::optional<QString> openFile();
    bool isTrustworthy() const;
    std::optional<QString> createSchema();
    void removeFiles();

    QString file_;
    QString connectionName_;
    QSqlDatabase database_;
    bool replaced_ = false;
};

} // namespace keldoran
