#pragma once

#include "backup_node.h"
#include "model/exclude_item.h"
#include "platform/settings_store.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

/// What a backup of the home folder leaves out: the user's exclusion list, the files and folders unticked
/// in the scope browser, hidden folders directly in the home folder (except three), and folders that
/// mark themselves as caches (restic's --exclude-caches). Main thread only.
class BackupScope : public QObject {
    Q_OBJECT
public:
    enum class TriState { included, excluded, partial };

    struct Tally {
        int listCount = 0;
        int untickedCount = 0;
        int hiddenCount = 0;
        bool operator==(const Tally&) const = default;
    };

    /// Hidden folders that are always backed up: ".ssh", ".gnupg", ".config".
    static const QSet<QString>& keptHiddenFolders();

    BackupScope(SettingsStore& settings, QString home);
    /// Stops the folder sizes still being counted.
    ~BackupScope() override;

    const BackupNode& root() const { return root_; }
    /// The unticked paths; none lies below another.
    const QSet<QString>& excluded() const { return excluded_; }

    bool isExcluded(const QString& path) const;
    /// Over what has been listed so far: a folder whose listed children are all unticked is excluded.
    TriState triState(const QString& path, bool isDirectory) const;
    /// Ticks or unticks one node (the scope browser's checkbox). Saved at once, in one write.
    void toggle(const BackupNode& node);
    /// A folder's direct contents without hidden entries, in file-browser order; read once per run.
    QList<BackupNode> children(const QString& path, bool isDirectory);
    /// Names of the listed children of `path` that are not fully included, in listing order.
    QStringList skippedChildNames(const QString& path) const;
    /// The sizes of the unticked paths: a file's from its folder's listing, a folder's once the total of
    /// its contents has been counted (in the background, after its parent was listed).
    qint64 excludedBytes() const;
    bool allExcludedSizesKnown() const;

    /// Hidden folders directly in the home folder, other than the kept three, as absolute paths.
    QStringList hiddenFolderExcludes() const;
    /// The --exclude entries of the next backup. Paths are literal (their glob characters escaped):
    /// unticked and hidden ones, and list entries that start with "~/" or "/"; bare names and patterns
    /// in the list stay patterns. Order carries no meaning.
    QStringList effectiveExcludes(const QList<ExcludeItem>& exclusionList) const;
    /// One list entry as restic's --exclude takes it.
    QString excludeEntry(const QString& listed) const;
    Tally scopeTally(const QList<ExcludeItem>& exclusionList) const;

signals:
    /// The unticked set or a cached listing changed.
    void changed();

private:
    void removeBelow(const QString& path);
    void includeOnlyPathBelow(QString ancestor, const QString& path);
    void save();
    /// Starts counting the contents of unticked folders whose parent has been listed.
    void measureExcludedFolders();

    SettingsStore& settings_;
    QString home_;
    BackupNode root_;
    QSet<QString> excluded_;
    QHash<QString, QList<BackupNode>> childrenCache_;
    QHash<QString, qint64> sizeByPath_;
    QHash<QString, QFuture<qint64>> measuring_;
};
