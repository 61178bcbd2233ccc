#include "post_backup_indexing.h"

#include "app/log.h"
#include "backup_controller.h"
#include "index/snapshot_indexer.h"

#include <algorithm>
#include <QPointer>

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
    // The application may quit while the listing runs; then nothing here is touched again.
    const QPointer<PostBackupIndexing> self(this);
    QList<Snapshot> snapshots;
    try {
        snapshots = co_await controller_.snapshots();
        if (!self) {
            co_return;
        }
    } catch (const std::exception& error) {
        Log::lifecycle().info(QStringLiteral("snapshot index: snapshots not listed after the backup: ") +
                              QString::fromUtf8(error.what()));
        co_return;
    }
    if (snapshots.isEmpty()) {
        co_return;
    }
    QSet<QString> existing;
    for (const auto& snapshot : snapshots) {
        existing.insert(snapshot.id);
    }
    co_await indexer_.keepOnly(existing);
    if (!self) {
        co_return;
    }
    const auto newest = *std::max_element(snapshots.begin(), snapshots.end(),
                                          [](const Snapshot& a, const Snapshot& b) { return a.time < b.time; });
    std::optional<qint64> files;
    if (newest.summary && newest.summary->totalFilesProcessed) {
        files = qint64(*newest.summary->totalFilesProcessed);
    }
    indexer_.request(*restic, {newest.id, newest.time, files});
}
