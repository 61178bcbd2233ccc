#pragma once

#include "backup_warning.h"
#include "restic/snapshot.h"

#include <QDateTime>
#include <QUuid>

namespace keldoran {

/// One row of the recent-backups list.
struct RecentBackup {
    QUuid id;
    QDateTime date;
    std::optional<qint64> addedBytes;
    bool succeeded = true;
    QList<BackupWarning> warnings;
    std::optional<qint64> excludeCount;
    bool operator==(const RecentBackup&) const = default;

    /// The newest `limit` snapshots, newest first; only the newest carries the last backup's warnings
    /// and exclude count.
    static QList<RecentBackup> build(QList<Snapshot> snapshots, const QList<BackupWarning>& warnings,
                                     std::optional<qint64> excludeCount, int limit);
};

} // namespace keldoran
