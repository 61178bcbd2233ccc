#include "recent_backup.h"

#include "checked_number.h"

#include <algorithm>

namespace keldoran {

QList<RecentBackup> RecentBackup::build(QList<Snapshot> snapshots, const QList<BackupWarning>& warnings,
                                        std::optional<qint64> excludeCount, int limit) {
    std::stable_sort(snapshots.begin(), snapshots.end(),
                     [](const Snapshot& a, const Snapshot& b) { return a.time > b.time; });
    QList<RecentBackup> rows;
    for (int i = 0; i < std::min<int>(limit, int(snapshots.size())); ++i) {
        const auto& snapshot = snapshots[i];
        RecentBackup row;
        row.id = QUuid::createUuid();
        row.date = snapshot.time;
        if (snapshot.summary) {
            row.addedBytes = CheckedNumber::fromUnsigned(
                snapshot.summary->dataAddedPacked.value_or(snapshot.summary->dataAdded));
        }
        if (i == 0) {
            row.warnings = warnings;
            row.excludeCount = excludeCount;
        }
        rows.append(row);
    }
    return rows;
}

} // namespace keldoran
