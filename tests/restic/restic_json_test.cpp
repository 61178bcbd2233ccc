#include "restic/restic_error.h"
#include "restic/restic_json.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>
#include <QTimeZone>

namespace keldoran {

namespace {

QByteArray fixture(const char* name) {
    return readFile(QStringLiteral(KELDORAN_FIXTURES "/restic-0.18/") + QString::fromLatin1(name));
}

QList<QByteArray> fixtureLines(const char* name) {
    return fixture(name).split('\n');
}

} // namespace

TEST(ResticJson, decodesEveryLineOfARecordedBackup) {
    const auto lines = fixtureLines("backup-json.stdout.txt");
    const auto status = ResticJson::decodeBackupEvent(lines[0]);
    ASSERT_TRUE(status && std::holds_alternative<BackupStatus>(*status));
    // restic writes percent_done 1 as an integer; it still reads as the real 1.0.
    EXPECT_EQ(std::get<BackupStatus>(*status).percentDone, 1.0);
    EXPECT_EQ(std::get<BackupStatus>(*status).filesDone, 5u);
    EXPECT_FALSE(std::get<BackupStatus>(*status).secondsRemaining.has_value());

    const auto summary = ResticJson::decodeBackupEvent(lines[1]);
    ASSERT_TRUE(summary && std::holds_alternative<BackupSummary>(*summary));
    const auto& values = std::get<BackupSummary>(*summary);
    EXPECT_EQ(values.dataAdded, 254986u);
    EXPECT_EQ(values.dataAddedPacked, 253352u);
    EXPECT_EQ(values.dirsNew, 8u);
    EXPECT_DOUBLE_EQ(values.totalDuration, 0.767968431);
    EXPECT_EQ(values.snapshotId,
              QStringLiteral("5c9d532c53637ee488c4fa0aa6efcc1d30daed0a7ff859e54dd158c674079a0e"));

    for (const auto& line : fixtureLines("backup-json-fps2.stdout.txt")) {
        if (!line.isEmpty()) {
            QString error;
            EXPECT_TRUE(ResticJson::decodeBackupEvent(line, &error)) << error.toStdString();
        }
    }
}

TEST(ResticJson, readsPerFileErrorsAndTheExitErrorFromStandardError) {
    const auto lines = fixtureLines("backup-exit3.stderr.txt");
    const auto first = ResticJson::decodeBackupEvent(lines[0]);
    ASSERT_TRUE(first && std::holds_alternative<BackupErrorMessage>(*first));
    const auto& error = std::get<BackupErrorMessage>(*first);
    EXPECT_EQ(error.during, QStringLiteral("scan"));
    EXPECT_EQ(error.item, QStringLiteral("/tmp/resticprobe/nob/src/lockeddir"));
    EXPECT_TRUE(error.error.message.endsWith(QStringLiteral("permission denied")));

    const auto exitError = ResticJson::decodeBackupEvent(lines[3]);
    ASSERT_TRUE(exitError);
    EXPECT_EQ(*exitError, BackupEvent(UnrecognizedMessage{QStringLiteral("exit_error")}));
    EXPECT_EQ(ResticJson::decodeExitErrorMessage(lines[3]),
              QStringLiteral("Warning: at least one source file could not be read"));
}

TEST(ResticJson, appliesTheRequiredAndOptionalRules) {
    auto event = ResticJson::decodeBackupEvent(R"({"message_type":"status","percent_done":0.25})");
    ASSERT_TRUE(event);
    BackupStatus expected;
    expected.percentDone = 0.25;
    EXPECT_EQ(std::get<BackupStatus>(*event), expected);

    QString error;
    EXPECT_FALSE(ResticJson::decodeBackupEvent(R"({"message_type":"status","total_files":3})", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("percent_done")));
    EXPECT_FALSE(ResticJson::decodeBackupEvent(R"({"percent_done":0.5})"));

    // Optional null is empty; required null fails; unknown keys are ignored.
    event = ResticJson::decodeBackupEvent(
        R"({"message_type":"error","error":{"message":"gone","code":2},"during":null,"item":"/a","extra":[1]})");
    ASSERT_TRUE(event);
    EXPECT_FALSE(std::get<BackupErrorMessage>(*event).during.has_value());
    EXPECT_FALSE(ResticJson::decodeBackupEvent(R"({"message_type":"error","error":null})"));

    const QByteArray summary =
        R"({"message_type":"summary","files_new":1,"files_changed":0,"files_unmodified":0,"dirs_new":1,)"
        R"("dirs_changed":0,"dirs_unmodified":0,"data_blobs":1,"tree_blobs":1,"data_added":10,)"
        R"("total_files_processed":1,"total_bytes_processed":10)";
    event = ResticJson::decodeBackupEvent(summary + R"(,"total_duration":0.1})");
    ASSERT_TRUE(event);
    EXPECT_FALSE(std::get<BackupSummary>(*event).snapshotId.has_value());
    EXPECT_FALSE(std::get<BackupSummary>(*event).dataAddedPacked.has_value());
    EXPECT_FALSE(ResticJson::decodeBackupEvent(summary + "}"));

    // Unsigned integers refuse negative and fractional numbers.
    EXPECT_FALSE(
        ResticJson::decodeBackupEvent(R"({"message_type":"status","percent_done":0.1,"total_files":-1})"));
    EXPECT_FALSE(
        ResticJson::decodeBackupEvent(R"({"message_type":"status","percent_done":0.1,"total_files":1.5})"));
    EXPECT_TRUE(ResticJson::decodeBackupEvent(
        R"({"message_type":"status","percent_done":0.1,"total_bytes":18446744073709551615})"));

    EXPECT_EQ(*ResticJson::decodeRestoreEvent(R"({"message_type":"verbose_status","action":"restored"})"),
              RestoreEvent(UnrecognizedMessage{QStringLiteral("verbose_status")}));
    EXPECT_FALSE(ResticJson::decodeBackupEvent("Fatal: not json"));
}

TEST(ResticJson, parsesTimestampsWithAndWithoutFractions) {
    const auto withOffset = ResticJson::decodeTimestamp("2026-12-06T22:59:11.672714869+02:00");
    ASSERT_TRUE(withOffset);
    EXPECT_EQ(withOffset->toUTC(), QDateTime(QDate(2026, 12, 6), QTime(20, 59, 11, 672), QTimeZone::utc()));
    const auto plain = ResticJson::decodeTimestamp("2024-02-29T00:00:00Z");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->toMSecsSinceEpoch(),
              QDateTime(QDate(2024, 2, 29), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch());
    EXPECT_EQ(ResticJson::decodeTimestamp("1969-12-31T23:59:59.5-00:30")->toMSecsSinceEpoch(),
              (-1 + 1800) * 1000 + 500);

    QString error;
    EXPECT_FALSE(ResticJson::decodeTimestamp("2026-12-06 22:59:11Z", &error));
    EXPECT_EQ(error, QStringLiteral("Unparseable restic timestamp: 2026-12-06 22:59:11Z"));
    for (const char* bad : {"2023-02-29T00:00:00Z", "2026-12-06T24:00:00Z", "2026-12-06T22:59:11.Z",
                            "2026-12-06T22:59:11", "2026-12-06T22:59:11+0200", "2026-13-01T00:00:00Z"}) {
        EXPECT_FALSE(ResticJson::decodeTimestamp(bad)) << bad;
    }
    // A bad timestamp fails the whole object.
    EXPECT_FALSE(
        ResticJson::decodeLsEntry(R"({"name":"a","type":"file","path":"/a","mtime":"yesterday"})", &error));
    EXPECT_EQ(error, QStringLiteral("Unparseable restic timestamp: yesterday"));
}

TEST(ResticJson, decodesListingsAndDropsTheSnapshotLine) {
    const auto lines = fixtureLines("ls-json.txt");
    EXPECT_FALSE(ResticJson::decodeLsEntry(lines[0]));
    QList<LsEntry> entries;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (auto entry = ResticJson::decodeLsEntry(lines[i])) {
            entries.append(*entry);
        }
    }
    ASSERT_EQ(entries.size(), 14);
    EXPECT_EQ(entries[0].path, QStringLiteral("/tmp"));
    EXPECT_TRUE(entries[0].isDirectory());
    EXPECT_EQ(entries[0].structType, QStringLiteral("node"));
    const auto link =
        std::find_if(entries.begin(), entries.end(), [](const LsEntry& e) { return e.type == "symlink"; });
    ASSERT_NE(link, entries.end());
    EXPECT_FALSE(link->size.has_value());
    EXPECT_TRUE(link->mtime.has_value());
}

TEST(ResticJson, decodesWholeDocuments) {
    const auto snapshots = ResticJson::decodeSnapshots(fixture("snapshots.json"));
    ASSERT_EQ(snapshots.size(), 2);
    EXPECT_EQ(snapshots[0].shortId, QStringLiteral("5c9d532c"));
    EXPECT_FALSE(snapshots[0].parent.has_value());
    EXPECT_EQ(snapshots[1].parent, snapshots[0].id);
    EXPECT_EQ(snapshots[1].tags, QStringList{QStringLiteral("nightly")});
    ASSERT_TRUE(snapshots[0].summary);
    EXPECT_EQ(snapshots[0].summary->totalFilesProcessed, 5u);
    EXPECT_EQ(snapshots[0].time, *ResticJson::decodeTimestamp("2026-12-06T22:58:59.599Z"));
    EXPECT_TRUE(ResticJson::decodeSnapshots("[]").isEmpty());

    const auto raw = ResticJson::decodeRepositoryStats(fixture("stats-raw-data.txt"));
    EXPECT_EQ(raw.totalSize, 254450u);
    EXPECT_EQ(raw.totalBlobCount, 20u);
    EXPECT_NEAR(*raw.compressionRatio, 1.0183, 1e-4);
    const auto minimal = ResticJson::decodeRepositoryStats(R"({"total_size":0,"snapshots_count":0})");
    EXPECT_EQ(minimal, RepositoryStats{});

    const auto init = ResticJson::decodeInitResult(fixture("init-json.stdout.txt"));
    EXPECT_EQ(init.repository, QStringLiteral("/tmp/resticprobe/repoA"));
}

TEST(ResticJson, aWholeDocumentThatFailsKeepsItsFirst500Bytes) {
    const QByteArray output = "Fatal: " + QByteArray(600, 'x');
    try {
        ResticJson::decodeSnapshots(output);
        FAIL() << "expected a decoding failure";
    } catch (const ResticError& error) {
        EXPECT_EQ(error.errorCase(), ResticError::Case::decodingFailed);
        EXPECT_EQ(error.description(),
                  QStringLiteral("Unexpected restic output: ") + QString::fromUtf8(output.left(500)));
    }
    // Cutting inside a multi-byte character yields U+FFFD, never a failure.
    const QByteArray accented = QByteArray(499, 'a') + "é";
    try {
        ResticJson::decodeInitResult(accented);
        FAIL() << "expected a decoding failure";
    } catch (const ResticError& error) {
        EXPECT_TRUE(error.description().endsWith(QChar(0xFFFD)));
    }
}

} // namespace keldoran
