#include "restic/operation_cancelled.h"
#include "restic/restic.h"
#include "restic/restic_error.h"
#include "restic/restore_selection.h"
#include "support/coroutines.h"
#include "support/fake_restic.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

QString catFixture(const char* name) {
    return QStringLiteral("cat '" KELDORAN_FIXTURES "/restic-0.18/%1'").arg(QString::fromLatin1(name));
}

const QString lockFailure =
    QStringLiteral("echo '{\"message_type\":\"exit_error\",\"code\":11,\"message\":\"unable to create lock "
                   "in backend\"}' >&2; exit 11");

template <typename T> ResticError resticFailure(QCoro::Task<T>&& task) {
    try {
        std::rethrow_exception(failureOf(std::move(task)));
    } catch (const ResticError& error) {
        return error;
    } catch (...) {
        ADD_FAILURE() << "expected a ResticError";
    }
    return ResticError::binaryNotFound();
}

} // namespace

TEST(ResticCommands, buildsTheBackupArgumentList) {
    const QStringList excludes{QStringLiteral("/home/u/Library"), QStringLiteral("node_modules")};
    const QStringList sources{QStringLiteral("/home/u")};
    EXPECT_EQ(Restic::backupArguments(excludes, 1, sources),
              (QStringList{"backup", "--json", "--exclude=/home/u/Library", "--exclude=node_modules",
                           "--exclude-caches", "--limit-upload", "1", "--", "/home/u"}));
    EXPECT_EQ(Restic::backupArguments({}, 0, sources),
              (QStringList{"backup", "--json", "--exclude-caches", "--", "/home/u"}));
    EXPECT_EQ(Restic::backupArguments({}, -5, sources),
              (QStringList{"backup", "--json", "--exclude-caches", "--", "/home/u"}));
    EXPECT_EQ(Restic::backupArguments({}, std::nullopt, sources),
              (QStringList{"backup", "--json", "--exclude-caches", "--", "/home/u"}));
    EXPECT_EQ(
        Restic::backupArguments({}, 10240, sources),
        (QStringList{"backup", "--json", "--exclude-caches", "--limit-upload", "10240", "--", "/home/u"}));
}

TEST(ResticCommands, buildsRestoreArgumentsFromTheSelection) {
    EXPECT_EQ(Restic::restoreArguments(QStringLiteral("abc"), {}, QStringLiteral("/tmp/t")),
              (QStringList{"restore", "--target=/tmp/t", "--json", "--sparse", "--", "abc"}));
    EXPECT_EQ(Restic::restoreArguments(QStringLiteral("abc"),
                                       {"/Users/a/Documents/x.txt", "/Users/a/Documents/y"},
                                       QStringLiteral("/tmp/t")),
              (QStringList{"restore", "--target=/tmp/t", "--json", "--sparse", "--include=/x.txt",
                           "--include=/y", "--", "abc:/Users/a/Documents"}));
    EXPECT_EQ(Restic::restoreArguments(QStringLiteral("abc"), {"/Users/a/x.txt", "/Users/b/y"},
                                       QStringLiteral("/t")),
              (QStringList{"restore", "--target=/t", "--json", "--sparse", "--include=/Users/a/x.txt",
                           "--include=/Users/b/y", "--", "abc"}));
    EXPECT_EQ(Restic::restoreArguments(QStringLiteral("abc"), {"/top"}, QStringLiteral("/t")),
              (QStringList{"restore", "--target=/t", "--json", "--sparse", "--include=/top", "--", "abc:/"}));
    // Selected names are literal: glob characters are escaped.
    EXPECT_EQ(Restic::restoreArguments(QStringLiteral("abc"), {"/d/report[2024].pdf", "/d/a*b?\\c"},
                                       QStringLiteral("/t")),
              (QStringList{"restore", "--target=/t", "--json", "--sparse", "--include=/report\\[2024\\].pdf",
                           "--include=/a\\*b\\?\\\\c", "--", "abc:/d"}));
    // restic's JSON shows a byte that is not UTF-8 as U+FFFD: "?" stands for it.
    EXPECT_TRUE(Restic::restoreArguments(QStringLiteral("abc"), {QStringLiteral("/d/caf\uFFFD")},
                                         QStringLiteral("/t"))
                    .contains(QStringLiteral("--include=/caf?")));

    EXPECT_EQ(parentPath(QStringLiteral("/Users/a/x")), QStringLiteral("/Users/a"));
    EXPECT_EQ(parentPath(QStringLiteral("/x")), QStringLiteral("/"));
    EXPECT_EQ(parentPath(QStringLiteral("/Users/a/")), QStringLiteral("/Users"));
    EXPECT_EQ(parentPath(QStringLiteral("/")), QString());
    EXPECT_EQ(lastPathComponent(QStringLiteral("/Users/a/")), QStringLiteral("a"));
}

TEST(ResticCommands, buildsTheFixedCommandLines) {
    EXPECT_EQ(Restic::forgetArguments(RetentionPolicy::standard(), true),
              (QStringList{"forget", "--json", "--keep-hourly", "24", "--keep-daily", "30", "--keep-monthly",
                           "12", "--prune"}));
    RetentionPolicy every{1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(Restic::forgetArguments(every, false),
              (QStringList{"forget", "--json", "--keep-last", "1", "--keep-hourly", "2", "--keep-daily", "3",
                           "--keep-weekly", "4", "--keep-monthly", "5", "--keep-yearly", "6", "--keep-within",
                           "7d"}));

    FakeRestic fake;
    fake.step(1, QStringLiteral("echo '[]'"));
    fake.step(3, catFixture("stats-restore-size.txt"));
    fake.step(4, catFixture("stats-raw-data.txt"));
    fake.step(8, catFixture("init-json.stdout.txt"));
    fake.step(9, QStringLiteral("echo '[]'"));
    const Restic restic(fake.process());
    await(restic.snapshots());
    await(restic.ls(QStringLiteral("abc"), {QStringLiteral("/home/u/Docs")}));
    await(restic.stats(StatsMode::restoreSize, QStringLiteral("latest")));
    await(restic.stats(StatsMode::rawData));
    await(restic.check());
    await(restic.cleanupCache());
    await(restic.catConfig());
    await(restic.initRepository());
    await(restic.snapshots({QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("vm")));
    const QList<QStringList> expected{
        {"snapshots", "--json"},
        {"ls", "--json", "--", "abc", "/home/u/Docs"},
        {"stats", "--json", "--mode", "restore-size", "--", "latest"},
        {"stats", "--json", "--mode", "raw-data"},
        {"check"},
        {"cache", "--cleanup"},
        {"cat", "config"},
        {"init", "--json"},
        {"snapshots", "--json", "--tag", "a", "--tag", "b", "--host", "vm"},
    };
    ASSERT_EQ(fake.callCount(), expected.size());
    for (int call = 1; call <= expected.size(); ++call) {
        EXPECT_EQ(fake.arguments(call), expected[call - 1]) << call;
    }
}

TEST(ResticCommands, unlocksAndRetriesOnceAfterALockFailure) {
    FakeRestic fake;
    fake.step(1, lockFailure);
    fake.step(3, QStringLiteral("echo done"));
    const Restic restic(fake.process());
    EXPECT_EQ(await(restic.runRetryingAfterUnlock({QStringLiteral("forget")})), QByteArray("done\n"));
    EXPECT_EQ(fake.arguments(2), QStringList{QStringLiteral("unlock")});
    EXPECT_EQ(fake.arguments(3), QStringList{QStringLiteral("forget")});

    // A second lock failure is thrown; there is no third run.
    FakeRestic stillLocked;
    stillLocked.step(1, lockFailure);
    stillLocked.step(3, lockFailure);
    const auto second =
        resticFailure(Restic(stillLocked.process()).forget(RetentionPolicy::standard(), false));
    EXPECT_EQ(second.exitStatus()->code, 11);
    EXPECT_EQ(stillLocked.callCount(), 3);

    // A failing unlock replaces the lock failure.
    FakeRestic unlockFails;
    unlockFails.step(1, lockFailure);
    unlockFails.step(2, QStringLiteral("echo 'Fatal: no unlock' >&2; exit 1"));
    const auto unlockError = resticFailure(Restic(unlockFails.process()).check());
    EXPECT_EQ(unlockError.exitStatus()->code, 1);
    EXPECT_EQ(unlockFails.callCount(), 2);

    // Other failures pass through untouched, and catConfig never unlocks.
    FakeRestic other;
    other.defaultStep(QStringLiteral("exit 12"));
    EXPECT_EQ(resticFailure(Restic(other.process()).cleanupCache()).exitStatus()->code, 12);
    other.defaultStep(lockFailure);
    EXPECT_EQ(resticFailure(Restic(other.process()).catConfig()).exitStatus()->code, 11);
    EXPECT_EQ(other.callCount(), 2);
}

TEST(ResticCommands, aBackupStreamRetriesIntoTheSameStreamAfterALockFailure) {
    FakeRestic fake;
    fake.step(1, QStringLiteral("echo '{\"message_type\":\"status\",\"percent_done\":0.1}'; ") + lockFailure);
    fake.step(3, QStringLiteral("echo; echo 'not json'; ") + catFixture("backup-json.stdout.txt"));
    const auto events =
        await(collect(Restic(fake.process()).backup({QStringLiteral("backup"), QStringLiteral("--json")})));
    ASSERT_EQ(events.size(), 4);
    EXPECT_EQ(std::get<BackupStatus>(events[0]).percentDone, 0.1);
    EXPECT_EQ(events[1], BackupEvent(UnrecognizedMessage{QStringLiteral("not json")}));
    EXPECT_TRUE(std::holds_alternative<BackupStatus>(events[2]));
    EXPECT_TRUE(std::holds_alternative<BackupSummary>(events[3]));
    EXPECT_EQ(fake.arguments(2), QStringList{QStringLiteral("unlock")});
    EXPECT_EQ(fake.arguments(3), (QStringList{"backup", "--json"}));

    FakeRestic twice;
    twice.step(1, lockFailure);
    twice.step(3, lockFailure);
    std::exception_ptr error;
    await(collect(Restic(twice.process()).backup({QStringLiteral("backup")}), &error));
    EXPECT_EQ(twice.callCount(), 3);
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& failure) {
        EXPECT_EQ(failure.exitStatus()->code, 11);
    }
}

TEST(ResticCommands, decodesCommandOutput) {
    FakeRestic fake;
    fake.step(1, QStringLiteral("echo 'scanning...'; echo '  {\"total_size\":5,\"snapshots_count\":1}  '"));
    fake.step(2, QStringLiteral("echo 'no object here'"));
    fake.step(3, catFixture("ls-json.txt") +
                     QStringLiteral("; echo '{\"name\":\"x\",\"type\":\"file\",\"path\":\"/x\"}'"));
    fake.step(4, catFixture("ls-dir-json.txt") + QStringLiteral("; exit 1"));
    fake.step(5, QStringLiteral("echo '[{\"id\":1}]'"));
    const Restic restic(fake.process());

    EXPECT_EQ(await(restic.stats(StatsMode::rawData)).totalSize, 5u);
    EXPECT_EQ(resticFailure(restic.stats(StatsMode::rawData)).errorCase(), ResticError::Case::decodingFailed);
    // The snapshot line and an entry without struct_type are not part of the listing.
    const auto entries = await(restic.ls(QStringLiteral("3c37dc8d"), {}));
    EXPECT_EQ(entries.size(), 14);
    EXPECT_EQ(resticFailure(restic.ls(QStringLiteral("3c37dc8d"), {})).exitStatus()->code, 1);
    EXPECT_EQ(resticFailure(restic.snapshots()).errorCase(), ResticError::Case::decodingFailed);

    EXPECT_EQ(Restic::statsDocument("a\r\n{\"x\":1}\u2028b"), QByteArray("{\"x\":1}"));
    EXPECT_EQ(Restic::statsDocument("{\"a\":1}\n{\"b\":2}\n"), QByteArray("{\"b\":2}"));
}

} // namespace keldoran
