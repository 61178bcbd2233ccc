#pragma once

#include "platform/platform.h"

#include <qcoro/qcorotask.h>
#include <QObject>

namespace keldoran {

class BackupController;
class SnapshotIndexer;

/// After each successful backup, while on mains power and an unmetered network, indexes the newest
/// snapshot so the restore window opens on a ready index, and drops the snapshots retention forgot.
class PostBackupIndexing : public QObject {
    Q_OBJECT
public:
    PostBackupIndexing(BackupController& controller, SnapshotIndexer& indexer, const Platform& platform,
                       QObject* parent = nullptr);

    /// Whether indexing may start now: not on battery, not on a metered network.
    bool mayIndexNow() const;

private:
    QCoro::Task<void> indexNewest();

    BackupController& controller_;
    SnapshotIndexer& indexer_;
    const Platform& platform_;
};

} // namespace keldoran
