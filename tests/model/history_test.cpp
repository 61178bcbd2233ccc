#include "model/backup_warning.h"
#include "model/recent_backup.h"
#include "model/stats_cache.h"

#include <gtest/gtest.h>
#include <QTimeZone>

namespace keldoran {

namespace {
Snapshot snapshotAt(int minutesAgo,
                    std::optional<Snapshot::Summary> summary = Snapshot::Summary{100, 80, 1000, 10}) {
    Snapshot snapshot;
    snapshot.id = QStringLiteral("snapshot-%1").arg(minutesAgo);
    snapshot.time = QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()).addSecs(-60 * minutesAgo);
    snapshot.summary = summary;
    return snapshot;
}
} // namespace

TEST(BackupWarning, roundTripsAndRefusesAnyUnknownKind) {
    const QList<BackupWarning> warnings{
        {BackupWarning::Kind::privacyProtected, QStringLiteral("/home/u/Mail")},
        {BackupWarning::Kind::vanished, std::nullopt}};
    const auto json = BackupWarning::encodeList(warnings);
    EXPECT_EQ(json, QByteArray(R"([{"kind":"privacyProtected","path":"/home/u/Mail"},{"kind":"vanished"}])"));
    EXPECT_EQ(BackupWarning::decodeList(json), warnings);
    EXPECT_EQ(BackupWarning::encodeList({}), QByteArray("[]"));
    EXPECT_TRUE(BackupWarning::decodeList(R"([{"kind":"other"},{"kind":"sunspots","path":"/x"}])").isEmpty());
    EXPECT_TRUE(BackupWarning::decodeList(R"([{"kind":"other","path":3}])").isEmpty());
    EXPECT_TRUE(BackupWarning::decodeList(R"({"kind":"other"})").isEmpty());
    EXPECT_TRUE(BackupWarning::decodeList(R"([{"kind":"oth)").isEmpty());
}

TEST(StatsCache, omitsAbsentValuesAndReadsPartialCaches) {
    const StatsCache full{1000, 42, 0.5, 2000};
    EXPECT_EQ(StatsCache::decoded(full.encoded()), full);
    const auto storageOnly = StatsCache::decoded(R"({"storageBytes":123})");
    ASSERT_TRUE(storageOnly);
    EXPECT_EQ(storageOnly->storageBytes, 123);
    EXPECT_EQ(storageOnly->stats(), ProtectedStats{});
    EXPECT_EQ(StatsCache{}.encoded(), QByteArray("{}"));
    EXPECT_FALSE(StatsCache::decoded(R"({"fileCount":1.5})"));
    EXPECT_FALSE(StatsCache::decoded(R"({"protectedBytes":"12"})"));
    EXPECT_FALSE(StatsCache::decoded("[]"));
}

TEST(RecentBackup, listsTheNewestFiveAndGivesOnlyTheNewestTheLastWarnings) {
    QList<Snapshot> snapshots;
    for (int minutesAgo : {30, 10, 70, 50, 0, 20, 60}) {
        snapshots.append(snapshotAt(minutesAgo));
    }
    snapshots[2].summary->dataAddedPacked.reset();
    snapshots[5].summary.reset();
    const QList<BackupWarning> warnings{{BackupWarning::Kind::other, std::nullopt}};
    const auto rows = RecentBackup::build(snapshots, warnings, 24, 5);
    ASSERT_EQ(rows.size(), 5);
    QList<QDateTime> dates;
    for (const auto& row : rows) {
        dates.append(row.date);
        EXPECT_TRUE(row.succeeded);
    }
    EXPECT_EQ(dates, (QList<QDateTime>{snapshotAt(0).time, snapshotAt(10).time, snapshotAt(20).time,
                                       snapshotAt(30).time, snapshotAt(50).time}));
    EXPECT_EQ(rows[0].warnings, warnings);
    EXPECT_EQ(rows[0].excludeCount, 24);
    EXPECT_TRUE(rows[1].warnings.isEmpty());
    EXPECT_FALSE(rows[1].excludeCount.has_value());
    EXPECT_EQ(rows[0].addedBytes, 80);
    EXPECT_FALSE(rows[2].addedBytes.has_value()); // no summary
    EXPECT_NE(rows[0].id, rows[1].id);
    EXPECT_TRUE(RecentBackup::build({}, warnings, 1, 5).isEmpty());
}

} // namespace keldoran
