#pragma once

#include "index/snapshot_index.h"
#include "platform/clock.h"
#include "restic/ls_entry.h"
#include "restic/restore_event.h"
#include "restore_conflict.h"

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>

namespace keldoran {

class BackupController;
class SnapshotIndexer;

/// The restore window's state, without the window: the snapshots, the folder level shown, its listing
/// cache, the search, the selection, and the restore run with its phase. Listings come from the
/// controller outside its queue; the restore itself is queued like a backup. Main thread only.
class RestoreBrowser : public QObject {
    Q_OBJECT
public:
    struct SnapshotItem {
        QString id;
        QDateTime date;
        /// The files restic counted in it, when it recorded them.
        std::optional<qint64> fileCount = std::nullopt;
        bool operator==(const SnapshotItem&) const = default;
    };

    struct SnapshotGroup {
        /// "Today", "Yesterday" or "Earlier".
        QString title;
        QList<SnapshotItem> items;
        bool operator==(const SnapshotGroup&) const = default;
    };

    struct RestorePhase {
        enum class Kind { idle, restoring, succeeded, incomplete, failed };
        Kind kind = Kind::idle;
        double progress = 0;
        /// The folder restored into, once succeeded or incomplete.
        QString destination;
        /// What happened, in words: where the items went and what was renamed, or what went wrong.
        QString message;
        bool operator==(const RestorePhase&) const = default;

        static RestorePhase idle() { return {}; }
        static RestorePhase restoring(double progress) { return {Kind::restoring, progress, {}, {}}; }
        static RestorePhase succeeded(QString destination, QString message = {}) {
            return {Kind::succeeded, 0, std::move(destination), std::move(message)};
        }
        /// Some items could not be restored; everything else was.
        static RestorePhase incomplete(QString destination, QString message) {
            return {Kind::incomplete, 0, std::move(destination), std::move(message)};
        }
        static RestorePhase failed(QString message) { return {Kind::failed, 0, {}, std::move(message)}; }
    };

    /// What one restore acts on, fixed when the user asks for it: the snapshot, the folder shown and the
    /// items chosen in it. Whatever the browser shows afterwards, these are what is restored.
    struct RestoreRequest {
        QString snapshotId;
        QString folder;
        QStringList paths;
        bool operator==(const RestoreRequest&) const = default;
    };

    /// Where a restore goes: where the items were backed up from, or another folder.
    struct Destination {
        enum class Location { original, another };
        Location location = Location::original;
        QString folder;
        RestoreConflict conflict = RestoreConflict::keepBoth;
    };

    RestoreBrowser(BackupController& controller, Clock& clock, QString home, QObject* parent = nullptr);

    /// Serves levels, the whole-snapshot search and versions from `indexer`'s index once it holds the
    /// snapshot, and has it index each snapshot after its first level is shown.
    void useIndex(SnapshotIndexer* indexer);
    /// How far indexing the selected snapshot has come (0 to 1) while it runs or waits.
    std::optional<double> indexingProgress() const;
    /// Whether the selected snapshot is served from the index.
    bool isIndexed() const;

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
    /// Matches of the search in the whole snapshot outside the folder shown; empty until it is indexed.
    QList<SnapshotIndex::Match> matchesElsewhere() const;
    /// How many folders other than the one shown hold matches.
    qsizetype matchingFolderCount() const;
    /// Opens the folder of a match with the match selected.
    QCoro::Task<void> openMatch(SnapshotIndex::Match match);
    /// Every different version of the file at `path` in the indexed snapshots, newest first.
    QList<SnapshotIndex::Version> versionsOf(const QString& path) const;
    /// The level as listed, or its entries whose name contains the search text (case-insensitive).
    QList<LsEntry> visibleEntries() const;
    /// The selected paths among the entries shown: what a restore would act on.
    QStringList selectedItems() const;
    /// Selected entries of the level that the search hides; they are kept, not restored.
    qsizetype hiddenSelectedCount() const;
    /// The selected items as a request; none while the level loads or when nothing is selected.
    std::optional<RestoreRequest> restoreRequest() const;
    QList<SnapshotGroup> snapshotGroups() const;
    /// "Home", then the name of each folder opened.
    QStringList breadcrumb() const;
    /// The folder the level shows: the opened one, or the home folder.
    QString levelPath() const { return currentPath_.value_or(home_); }

    /// Restores the request's items and follows the progress. An empty request is refused: the whole
    /// snapshot is never restored from here.
    QCoro::Task<void> runRestore(RestoreRequest request, Destination destination);
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
    /// Why the level shown could not be listed; none while it is listed or loading. Never cached: going
    /// back to the folder lists it again.
    const std::exception_ptr& levelFailure() const { return levelFailure_; }
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
    /// The selected snapshot's indexing moved on, finished, or stopped.
    void indexingChanged();
    /// A restore has ended: succeeded, incomplete or failed (never for a refused one).
    void restoreEnded(const RestorePhase& phase);
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
    void sortAndCache(const QString& snapshot, const QString& path, QList<LsEntry> children);
    void requestIndexing(const QString& snapshot);
    void refreshMatches();
    /// Loading while the level shown has not been listed yet.
    void updateLoading();
    RestorePhase outcomeOf(const RestoreRequest& request, const QString& target,
                           const RestoreMergeReport& report, const std::exception_ptr& failure) const;
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
    SnapshotIndexer* indexer_ = nullptr;
    QList<SnapshotIndex::Match> matches_;
    bool loading_ = false;
    std::exception_ptr levelFailure_;
    RestorePhase restorePhase_;
    int busy_ = 0;
};

} // namespace keldoran
