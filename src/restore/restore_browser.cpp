#include "restore_browser.h"

#include "backup/backup_controller.h"
#include "base/task_outcome.h"
#include "index/name_folding.h"
#include "index/snapshot_indexer.h"
#include "logging/log.h"
#include "model/file_name_order.h"
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"
#include "restic/restore_problem.h"
#include "restic/restore_selection.h"
#include "restore_messages.h"

#include <algorithm>
#include <QTimer>

namespace keldoran {

RestoreBrowser::RestoreBrowser(BackupController& controller, Clock& clock, QString home, QObject* parent)
    : QObject(parent)
    , controller_(controller)
    , clock_(clock)
    , home_(std::move(home)) {}

RestoreBrowser::BusyScope::BusyScope(RestoreBrowser* browser)
    : browser_(browser) {
    ++browser_->busy_;
}

RestoreBrowser::BusyScope::~BusyScope() {
    if (--browser_->busy_ == 0) {
        emit browser_->becameIdle();
    }
}

QCoro::Task<void> RestoreBrowser::loadSnapshots() {
    const BusyScope busy(this);
    QList<Snapshot> listed;
    try {
        listed = co_await controller_.snapshots();
    } catch (const std::exception&) {
        // No snapshot from the repository is offered.
    }
    snapshots_.clear();
    for (const auto& snapshot : listed) {
        std::optional<qint64> files;
        if (snapshot.summary && snapshot.summary->totalFilesProcessed) {
            files = qint64(*snapshot.summary->totalFilesProcessed);
        }
        snapshots_.append({snapshot.id, snapshot.time, files});
    }
    emit snapshotsChanged();
    const auto groups = snapshotGroups();
    std::optional<QString> newest;
    if (!groups.isEmpty()) {
        newest = groups.first().items.first().id;
    }
    co_await selectSnapshot(newest);
}

QCoro::Task<void> RestoreBrowser::selectSnapshot(std::optional<QString> id) {
    selection_.clear();
    currentLevelEntries_.clear();
    currentPath_.reset();
    pathStack_.clear();
    childrenCache_.clear();
    levelFailure_ = nullptr;
    selectedSnapshot_ = id;
    refreshMatches();
    emit selectionChanged();
    emit levelChanged();
    emit indexingChanged();
    updateLoading();
    if (id) {
        co_await loadLevel();
    }
}

QCoro::Task<void> RestoreBrowser::loadLevel() {
    const BusyScope busy(this);
    levelFailure_ = nullptr;
    if (!selectedSnapshot_) {
        showLevel({});
        co_return;
    }
    const auto path = levelPath();
    if (const auto cached = childrenCache_.find(path); cached != childrenCache_.end()) {
        showLevel(*cached);
        updateLoading();
        co_return;
    }
    const auto snapshot = *selectedSnapshot_;
    if (indexer_) {
        if (auto indexed = indexer_->index().level(snapshot, path)) {
            sortAndCache(snapshot, path, std::move(*indexed));
            co_return;
        }
    }
    // The level being left is not shown meanwhile: a row of it could be selected and restored as if
    // it belonged to the folder now named in the breadcrumb.
    showLevel({});
    updateLoading();
    auto listed = co_await keldoran::outcomeOf(controller_.listDirectory(snapshot, path));
    if (!listed.succeeded()) {
        // Never an empty folder: nothing in it could be chosen, and a restore of it would find nothing.
        Log::queue().error(
            QStringLiteral("listing %1 failed: %2").arg(path, errorLogDescription(listed.failure())));
        // An older listing's failure never hides a newer one's rows.
        if (selectedSnapshot_ == snapshot && levelPath() == path && !childrenCache_.contains(path)) {
            levelFailure_ = listed.failure();
            emit levelChanged();
        }
        updateLoading();
        co_return;
    }
    QList<LsEntry> children;
    for (const auto& entry : listed.value()) {
        if (parentPath(entry.path) == path) {
            children.append(entry);
        }
    }
    sortAndCache(snapshot, path, std::move(children));
    // The whole snapshot is listed once the user has something to look at.
    requestIndexing(snapshot);
}

void RestoreBrowser::sortAndCache(const QString& snapshot, const QString& path, QList<LsEntry> children) {
    const auto collator = fileNameCollator();
    std::stable_sort(children.begin(), children.end(), [&](const LsEntry& a, const LsEntry& b) {
        if (a.isDirectory() != b.isDirectory()) {
            return a.isDirectory();
        }
        return collator.compare(a.name, b.name) < 0;
    });
    // A listing of another snapshot, finished after the user moved on, is dropped.
    if (selectedSnapshot_ == snapshot) {
        childrenCache_.insert(path, children);
        if (levelPath() == path) {
            levelFailure_ = nullptr;
            showLevel(children);
        }
    }
    updateLoading();
}

void RestoreBrowser::useIndex(SnapshotIndexer* indexer) {
    indexer_ = indexer;
    const auto forSelected = [this](const QString& id) {
        if (selectedSnapshot_ == id) {
            emit indexingChanged();
        }
    };
    connect(indexer_, &SnapshotIndexer::progressChanged, this, forSelected);
    connect(indexer_, &SnapshotIndexer::snapshotIndexed, this, [this, forSelected](const QString& id) {
        if (selectedSnapshot_ == id) {
            refreshMatches();
            emit searchTextChanged();
        }
        forSelected(id);
    });
}

void RestoreBrowser::requestIndexing(const QString& snapshot) {
    const auto restic = controller_.restic();
    if (!indexer_ || !restic) {
        return;
    }
    for (const auto& item : snapshots_) {
        if (item.id == snapshot) {
            indexer_->request(*restic, {item.id, item.date, item.fileCount});
        }
    }
}

std::optional<double> RestoreBrowser::indexingProgress() const {
    return indexer_ && selectedSnapshot_ ? indexer_->progress(*selectedSnapshot_) : std::nullopt;
}

bool RestoreBrowser::isIndexed() const {
    return indexer_ && selectedSnapshot_ && indexer_->index().isIndexed(*selectedSnapshot_);
}

void RestoreBrowser::refreshMatches() {
    matches_.clear();
    if (indexer_ && selectedSnapshot_ && !searchText_.isEmpty()) {
        matches_ = indexer_->index().search(*selectedSnapshot_, searchText_, home_, 500).matches;
    }
    const auto collator = fileNameCollator();
    std::stable_sort(matches_.begin(), matches_.end(), [&](const auto& a, const auto& b) {
        if (a.folder != b.folder) {
            return a.folder < b.folder;
        }
        return collator.compare(a.entry.name, b.entry.name) < 0;
    });
}

QList<SnapshotIndex::Match> RestoreBrowser::matchesElsewhere() const {
    QList<SnapshotIndex::Match> elsewhere;
    for (const auto& match : matches_) {
        if (match.folder != levelPath()) {
            elsewhere.append(match);
        }
    }
    return elsewhere;
}

qsizetype RestoreBrowser::matchingFolderCount() const {
    QSet<QString> folders;
    for (const auto& match : matchesElsewhere()) {
        folders.insert(match.folder);
    }
    return folders.size();
}

QCoro::Task<void> RestoreBrowser::openMatch(SnapshotIndex::Match match) {
    const auto snapshot = selectedSnapshot_;
    if (match.folder != home_ && !match.folder.startsWith(home_ + QLatin1Char('/'))) {
        co_return;
    }
    QStringList stack;
    for (auto folder = match.folder; folder != home_ && !folder.isEmpty(); folder = parentPath(folder)) {
        stack.prepend(folder);
    }
    pathStack_ = stack;
    currentPath_ = stack.isEmpty() ? std::nullopt : std::optional(match.folder);
    co_await loadLevel();
    // Only if the user stayed where the match was opened.
    if (selectedSnapshot_ == snapshot && levelPath() == match.folder && !loading_ && !levelFailure_) {
        selection_ = {match.entry.path};
        emit selectionChanged();
    }
}

QList<SnapshotIndex::Version> RestoreBrowser::versionsOf(const QString& path) const {
    return indexer_ ? indexer_->index().versions(path) : QList<SnapshotIndex::Version>();
}

void RestoreBrowser::showLevel(QList<LsEntry> entries) {
    currentLevelEntries_ = std::move(entries);
    emit levelChanged();
    if (!selection_.isEmpty()) {
        selection_.clear();
        emit selectionChanged();
    }
}

void RestoreBrowser::updateLoading() {
    const bool loading = selectedSnapshot_ && !childrenCache_.contains(levelPath()) && !levelFailure_;
    if (loading_ != loading) {
        loading_ = loading;
        emit loadingChanged();
    }
}

QCoro::Task<void> RestoreBrowser::openFolder(LsEntry folder) {
    // The second click of the double-click is still being delivered: clear on the next turn.
    QTimer::singleShot(0, this, [this] {
        if (!selection_.isEmpty()) {
            selection_.clear();
            emit selectionChanged();
        }
    });
    currentPath_ = folder.path;
    pathStack_.append(folder.path);
    co_await loadLevel();
}

QCoro::Task<void> RestoreBrowser::navigate(int crumb) {
    if (crumb <= 0) {
        currentPath_.reset();
        pathStack_.clear();
    } else if (crumb <= pathStack_.size()) {
        currentPath_ = pathStack_[crumb - 1];
        pathStack_ = pathStack_.mid(0, crumb);
    }
    co_await loadLevel();
}

void RestoreBrowser::setSelection(const QSet<QString>& selection) {
    if (loading_) {
        return; // nothing of a level still loading can be chosen
    }
    if (isSecondClickOfDoubleClick()) {
        if (selection != selection_) {
            Log::lifecycle().info(QStringLiteral(
                "restore: ignored a selection change from a double-click's second click (#197)"));
        }
        return;
    }
    if (selection_ != selection) {
        selection_ = selection;
        emit selectionChanged();
    }
}

void RestoreBrowser::setSearchText(const QString& text) {
    if (searchText_ != text) {
        searchText_ = text;
        refreshMatches();
        emit searchTextChanged();
    }
}

QList<LsEntry> RestoreBrowser::visibleEntries() const {
    if (searchText_.isEmpty()) {
        return currentLevelEntries_;
    }
    QList<LsEntry> matches;
    for (const auto& entry : currentLevelEntries_) {
        if (NameFolding::contains(entry.name, searchText_)) {
            matches.append(entry);
        }
    }
    return matches;
}

QStringList RestoreBrowser::selectedItems() const {
    QStringList items;
    for (const auto& entry : visibleEntries()) {
        if (selection_.contains(entry.path)) {
            items.append(entry.path);
        }
    }
    return items;
}

qsizetype RestoreBrowser::hiddenSelectedCount() const {
    return std::count_if(currentLevelEntries_.begin(), currentLevelEntries_.end(),
                         [&](const LsEntry& entry) { return selection_.contains(entry.path); }) -
           selectedItems().size();
}

std::optional<RestoreBrowser::RestoreRequest> RestoreBrowser::restoreRequest() const {
    const auto items = selectedItems();
    if (loading_ || levelFailure_ || !selectedSnapshot_ || items.isEmpty()) {
        return std::nullopt;
    }
    return RestoreRequest{*selectedSnapshot_, levelPath(), items};
}

QList<RestoreBrowser::SnapshotGroup> RestoreBrowser::snapshotGroups() const {
    auto sorted = snapshots_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const SnapshotItem& a, const SnapshotItem& b) { return a.date > b.date; });
    const auto today = clock_.now().toLocalTime().date();
    QList<SnapshotGroup> groups{{tr("Today"), {}}, {tr("Yesterday"), {}}, {tr("Earlier"), {}}};
    for (const auto& item : sorted) {
        const auto day = item.date.toLocalTime().date();
        groups[day == today ? 0 : day == today.addDays(-1) ? 1 : 2].items.append(item);
    }
    groups.removeIf([](const SnapshotGroup& group) { return group.items.isEmpty(); });
    return groups;
}

QStringList RestoreBrowser::breadcrumb() const {
    QStringList crumbs{tr("Home")};
    for (const auto& path : pathStack_) {
        crumbs.append(lastPathComponent(path));
    }
    return crumbs;
}

std::optional<QDateTime> RestoreBrowser::selectedSnapshotDate() const {
    for (const auto& item : snapshots_) {
        if (item.id == selectedSnapshot_) {
            return item.date;
        }
    }
    return std::nullopt;
}

QCoro::Task<void> RestoreBrowser::runRestore(RestoreRequest request, Destination destination) {
    const BusyScope busy(this);
    const bool oneFolder = std::all_of(request.paths.begin(), request.paths.end(), [&](const QString& path) {
        return parentPath(path) == request.folder;
    });
    if (request.paths.isEmpty() || !oneFolder || !controller_.isConfigured()) {
        Log::lifecycle().error(QStringLiteral("restore refused: nothing chosen in one folder"));
        co_return;
    }
    // The chosen items of one folder return into that folder, or directly into another one.
    const auto target =
        destination.location == Destination::Location::original ? request.folder : destination.folder;
    if (destination.conflict == RestoreConflict::replace) {
        for (const auto& path : request.paths) {
            if (lastPathComponent(path).contains(QChar::ReplacementCharacter)) {
                setRestorePhase(
                    RestorePhase::failed(RestoreMessages::replaceNeedsExactName(lastPathComponent(path))));
                emit restoreEnded(restorePhase_);
                co_return;
            }
        }
    }
    setRestorePhase(RestorePhase::restoring(0));
    RestoreMergeReport report;
    const auto failure = co_await failureOfEach(
        controller_.restore(request.snapshotId, request.paths, target, destination.conflict),
        [this, &report](const RestoreEvent& event) {
            if (const auto* status = std::get_if<RestoreStatus>(&event)) {
                setRestorePhase(RestorePhase::restoring(status->percentDone));
            } else if (const auto* merged = std::get_if<RestoreMergeReport>(&event)) {
                report = *merged;
            }
        });
    setRestorePhase(outcomeOf(request, target, report, failure.exception));
    emit restoreEnded(restorePhase_);
}

RestoreBrowser::RestorePhase RestoreBrowser::outcomeOf(const RestoreRequest& request, const QString& target,
                                                       const RestoreMergeReport& report,
                                                       const std::exception_ptr& failure) const {
    const auto place = RestoreMessages::placeName(target, home_);
    QStringList problems;
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const ResticError& error) {
            const auto items = error.exitStatus()
                                   ? RestoreProblem::fromStandardError(error.exitStatus()->stderrText)
                                   : QList<RestoreProblem>();
            if (items.isEmpty() || !error.isCommandFailure(ResticError::Kind::generic)) {
                return RestorePhase::failed(error.restoreFailureMessage());
            }
            problems.append(*RestoreProblem::summary(items));
        } catch (const OperationCancelled&) {
            return RestorePhase::failed(tr("Restore was cancelled."));
        } catch (const std::exception& error) {
            return RestorePhase::failed(QString::fromUtf8(error.what()));
        }
    }
    if (!report.undelivered.isEmpty()) {
        problems.append(RestoreMessages::undelivered(report.undelivered));
    }
    if (!problems.isEmpty()) {
        return RestorePhase::incomplete(
            target, RestoreMessages::incomplete(problems.join(QLatin1Char(' ')), place, report.renamed));
    }
    return RestorePhase::succeeded(target,
                                   RestoreMessages::restored(request.paths.size(), place, report.renamed));
}

void RestoreBrowser::dismissPhase() {
    setRestorePhase(RestorePhase::idle());
}

void RestoreBrowser::setRestorePhase(const RestorePhase& phase) {
    if (restorePhase_ != phase) {
        restorePhase_ = phase;
        emit restorePhaseChanged();
    }
}

} // namespace keldoran
