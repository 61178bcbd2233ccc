#pragma once

#include "backup_node.h"
#include "model/exclude_item.h"
#include "platform/settings_store.h"

#include <optional>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

namespace keldoran {

/// What a backup of the home folder leaves out: the user's exclusion list, the files and folders unticked
/// in the scope browser, hidden folders directly in the home folder (except three, and those the user
/// keeps), and folders that mark themselves as caches (restic's --exclude-caches). Main thread only.
class BackupScope : public QObject {
    Q_OBJECT
public:
    enum class TriState { included, excluded, partial };

    struct Tally {
        int listCount = 0;
        int untickedCount = 0;
        int hiddenCount = 0;
        int keptHiddenCount = 0;
        bool operator==(const Tally&) const = default;
    };

    /// Hidden folders that are always backed up: ".ssh", ".gnupg", ".config".
    static const QSet<QString>& keptHiddenFolders();
    /// Mail, browser profiles and application data, relative to the home folder.
    static const QStringList& appDataFolders();
    /// The exclusion list entries that leave out the trash and caches inside the app data folders.
    static const QStringList& appDataExclusions();

    BackupScope(SettingsStore& settings, QString home);
    /// Stops the folder sizes still being counted.
    ~BackupScope() override;

    const BackupNode& root() const { return root_; }
    /// The unticked paths; none lies below another.
    const QSet<QString>& excluded() const { return excluded_; }

    bool isExcluded(const QString& path) const;
    /// Whether a list entry (as the preferences hold it) leaves out `path`, by restic's matching.
    bool isListedExclusion(const QString& path, const QList<ExcludeItem>& exclusionList) const;
    /// Hidden paths the user keeps: the hidden-folder rule leaves them (and what is in them) alone.
    const QSet<QString>& keptHidden() const { return keptHidden_; }
    bool keepsAppData() const;
    /// Keeps or stops keeping every app data folder. Saved at once.
    void keepAppData(bool keep);
    /// Reads the unticked and kept paths again, after another scope wrote them.
    void reload();
    /// Over what has been listed so far: a folder whose listed children are all unticked is excluded.
    TriState triState(const QString& path, bool isDirectory) const;
    /// Ticks or unticks one node (the scope browser's checkbox). Saved at once, in one write.
    void toggle(const BackupNode& node);
    /// A folder's direct contents without hidden entries, in file-browser order; read once per run.
    QList<BackupNode> children(const QString& path, bool isDirectory);
    /// The same with the hidden entries.
    QList<BackupNode> childrenWithHidden(const QString& path, bool isDirectory);
    /// Names of the listed children of `path` that are not fully included, in listing order.
    QStringList skippedChildNames(const QString& path) const;
    /// The sizes of the unticked paths: a file's from its folder's listing, a folder's once the total of
    /// its contents has been counted (in the background, after its parent was listed).
    qint64 excludedBytes() const;
    bool allExcludedSizesKnown() const;

    /// What the hidden-folder rule leaves out, as absolute paths: hidden folders directly in the home
    /// folder other than the fixed three, and around a kept path inside one, everything beside it.
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
    /// The hidden folder directly in the home folder that holds `path` (or is it), when the rule applies.
    std::optional<QString> hiddenTopFolder(const QString& path) const;
    /// Left out by the hidden-folder rule: inside a skipped hidden folder and not kept.
    bool isHiddenSkipped(const QString& path) const;
    bool hasKeptBelow(const QString& path) const;
    void excludeAround(const QString& folder, QStringList& out) const;
    void setKept(const QString& path, bool kept);
    QList<BackupNode> listing(const QString& path);
    void removeBelow(const QString& path);
    void includeOnlyPathBelow(QString ancestor, const QString& path);
    void save();
    void saveKept();
    /// Starts counting the contents of unticked folders whose parent has been listed.
    void measureExcludedFolders();

    SettingsStore& settings_;
    QString home_;
    BackupNode root_;
    QSet<QString> excluded_;
    QSet<QString> keptHidden_;
    QHash<QString, QList<BackupNode>> childrenCache_;
    QHash<QString, qint64> sizeByPath_;
    QHash<QString, QFuture<qint64>> measuring_;
};

} // namespace keldoran
