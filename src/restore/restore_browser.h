#pragma once

#include "platform/clock.h"
#include "restic/ls_entry.h"
#include "restore_conflict.h"

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>

class BackupController;

/// The restore window's state, without the window: the snapshots, the folder level shown, its listing
/// cache, the search, the selection, and the restore run with its phase. Listings come from the
/// controller outside its queue; the restore itself is queued like a backup. Main thread only.
class RestoreBrowser : public QObject {
    Q_OBJECT
public:
    struct SnapshotItem {
        QString id;
        QDateTime date;
        bool operator==(const SnapshotItem&) const = default;
    };

    struct SnapshotGroup {
        /// "Today", "Yesterday" or "Earlier".
        QString title;
        QList<SnapshotItem> items;
        bool operator==(const SnapshotGroup&) const = default;
    };

    struct RestorePhase {
        enum class Kind { idle, restoring, succeeded, failed };
        Kind kind = Kind::idle;
        double progress = 0;
        /// The folder restored into, once succeeded.
        QString destination;
        QString message;
        bool operator==(const RestorePhase&) const = default;

        static RestorePhase idle() { return {}; }
        static RestorePhase restoring(double progress) { return {Kind::restoring, progress, {}, {}}; }
        static RestorePhase succeeded(QString destination) {
            return {Kind::succeeded, 0, std::move(destination), {}};
        }
        static RestorePhase failed(QString message) { return {Kind::failed, 0, {}, std::move(message)}; }
    };

    /// Where a restore goes: where the items were backed up from, or another folder.
    struct Destination {
        enum class Location { original, another };
        Location location = Location::original;
        QString folder;
        RestoreConflict conflict = RestoreConflict::keepBoth;
    };

    RestoreBrowser(BackupController& controller, Clock& clock, QString home, QObject* parent = nullptr);

    QCoro::Task<void> loadSnapshots();
    QCoro::Task<void> selectSnapshot(std::optional<QString> id);
    QCoro::Task<void> loadLevel();
    /// Descends into a folder row (a double-click): the new level starts with nothing selected.
    QCoro::Task<void> openFolder(LsEntry folder);
    /// Goes back up: crumb 0 is the root ("Home"), crumb k the k-th folder opened.
    QCoro::Task<void> navigate(int crumb);

    /// Every selection change of the table passes here. A change made by the second click of a
    /// double-click is dropped: it would reselect rows of the level being left.
    void setSelection(const QSet<QString>& selection);
    /// Whether the event being handled is the second click of a double-click; the window answers it.
    std::function<bool()> isSecondClickOfDoubleClick = [] {
        return false;
    };

    void setSearchText(const QString& text);
    /// The level as listed, or its entries whose name contains the search text (case-insensitive).
    QList<LsEntry> visibleEntries() const;
    /// The selected paths that belong to the level shown.
    QStringList selectedItems() const;
    QList<SnapshotGroup> snapshotGroups() const;
    /// "Home", then the name of each folder opened.
    QStringList breadcrumb() const;
    /// The folder the level shows: the opened one, or the home folder.
    QString levelPath() const { return currentPath_.value_or(home_); }

    /// Restores the selected items (all of the snapshot when none) and follows the progress.
    QCoro::Task<void> runRestore(Destination destination);
    /// "Done" on the result: back to idle, the level and selection kept.
    void dismissPhase();

    const QList<SnapshotItem>& snapshots() const { return snapshots_; }
    const std::optional<QString>& selectedSnapshot() const { return selectedSnapshot_; }
    std::optional<QDateTime> selectedSnapshotDate() const;
    const QList<LsEntry>& currentLevelEntries() const { return currentLevelEntries_; }
    const QStringList& pathStack() const { return pathStack_; }
    const QSet<QString>& selection() const { return selection_; }
    const QString& searchText() const { return searchText_; }
    bool isLoading() const { return loading_; }
    /// Whether a listing or a restore is in flight; the browser must outlive it.
    bool isBusy() const { return busy_ > 0; }
    const RestorePhase& restorePhase() const { return restorePhase_; }

signals:
    void snapshotsChanged();
    void levelChanged();
    void selectionChanged();
    void searchTextChanged();
    void loadingChanged();
    void restorePhaseChanged();
    /// The last listing or restore in flight has ended.
    void becameIdle();

private:
    // Counts the coroutines that will resume into this object; held in their frames.
    class BusyScope {
    public:
        explicit BusyScope(RestoreBrowser* browser);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        RestoreBrowser* browser_;
    };

    void showLevel(QList<LsEntry> entries);
    void setLoading(bool loading);
    void setRestorePhase(const RestorePhase& phase);

    BackupController& controller_;
    Clock& clock_;
    QString home_;
    QList<SnapshotItem> snapshots_;
    std::optional<QString> selectedSnapshot_;
    std::optional<QString> currentPath_;
    QStringList pathStack_;
    QList<LsEntry> currentLevelEntries_;
    QHash<QString, QList<LsEntry>> childrenCache_;
    QSet<QString> selection_;
    QString searchText_;
    bool loading_ = false;
    RestorePhase restorePhase_;
    int busy_ = 0;
};
