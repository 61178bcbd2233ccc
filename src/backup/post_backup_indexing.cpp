#include "post_backup_indexing.h"

#include "backup_controller.h"
#include "index/snapshot_indexer.h"

#include <algorithm>
#include <QPointer>

namespace keldoran {

PostBackupIndexing::PostBackupIndexing(BackupController& controller, SnapshotIndexer& indexer,
                                       const Platform& platform, QObject* parent)
    : QObject(parent)
    , controller_(controller)
    , indexer_(indexer)
    , platform_(platform) {
    connect(&controller_, &BackupController::backupSucceeded, this, [this] { indexNewest(); });
}

bool PostBackupIndexing::mayIndexNow() const {
    return !platform_.power->isOnBattery() && !platform_.network->isMetered();
}

QCoro::Task<void> PostBackupIndexing::indexNewest() {
    const auto restic = controller_.restic();
    if (!restic || !mayIndexNow()) {
        co_return;
    }
    // The backup's own refresh has just listed the snapshots: no second restic run is needed, and none
    // is left for a quit to wait on.
    const auto snapshots = controller_.listedSnapshots().value_or(QList<Snapshot>());
    if (snapshots.isEmpty()) {
        co_return;
    }
    QSet<QString> existing;
    for (const auto& snapshot : snapshots) {
        existing.insert(snapshot.id);
    }
    const QPointer<PostBackupIndexing> self(this);
    co_await indexer_.keepOnly(existing);
    if (!self) {
        co_return;
    }
    const auto newest =
        *std::max_element(snapshots.begin(), snapshots.end(),
                          [](const Snapshot& a, const Snapshot& b) { return a.time < b.time; });
    std::optional<qint64> files;
    if (newest.summary && newest.summary->totalFilesProcessed) {
        files = qint64(*newest.summary->totalFilesProcessed);
    }
    indexer_.request(*restic, {newest.id, newest.time, files});
}

} // namespace keldoran
