// Runs under support/with-keyring: the configuration step reads the session's throwaway keyring.
#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "backup/backup_stall_watch.h"
#include "backup/post_backup_maintenance.h"
#include "model/app_model.h"
#include "model/checked_number.h"
#include "model/settings_keys.h"
#include "model/stats_cache.h"
#include "presentation/status_presentation.h"
#include "scope/backup_scope.h"
#include "storage/keychain.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QSignalSpy>

namespace keldoran {

namespace {

QString fixture(const char* name) {
    return QStringLiteral("cat '" KELDORAN_FIXTURES "/restic-0.18/%1'").arg(QLatin1String(name));
}

const QString privacyErrors =
    QStringLiteral("echo '{\"message_type\":\"error\",\"error\":{\"message\":\"open /h/Mail: Operation Not "
                   "Permitted\"},\"during\":\"scan\",\"item\":\"/h/Mail\"}' >&2;"
                   "echo '{\"message_type\":\"error\",\"error\":{\"message\":\"open /h/Mail: operation not "
                   "permitted\"},\"during\":\"archival\",\"item\":\"/h/Mail\"}' >&2;"
                   "echo '{\"message_type\":\"error\",\"error\":{\"message\":\"open /h/x: permission "
                   "denied\"},\"during\":\"archival\",\"item\":\"/h/x\"}' >&2;"
                   "echo 'plain text line' >&2;"
                   "echo '{\"message_type\":\"exit_error\",\"code\":3,\"message\":\"Warning: at least one "
                   "source file could not be read\"}' >&2");

class Controller : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        respond({});
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(controller().configure()), ConfigurationOutcome::configured);
    }

    BackupController& controller() { return model->controller(); }

    // Answers like restic for a small repository; `overrides` replaces the answer of a command.
    void respond(QMap<QString, QString> overrides) {
        QMap<QString, QString> answers{
            {QStringLiteral("backup"),
             QStringLiteral(
                 "echo "
                 "'{\"message_type\":\"status\",\"percent_done\":0.5,\"seconds_remaining\":190,\"total_"
                 "files\":4,\"files_done\":2,\"total_bytes\":2000000000,\"bytes_done\":1200000000}'; ") +
                 fixture("backup-json.stdout.txt")},
            {QStringLiteral("snapshots"), fixture("snapshots.json")},
            {QStringLiteral("stats"),
             QStringLiteral("if [ \"$4\" = raw-data ]; then %1; else %2; fi")
                 .arg(fixture("stats-raw-data.txt"), fixture("stats-restore-size.txt"))},
        };
        for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) {
            answers.insert(it.key(), it.value());
        }
        fake.respond(answers);
    }

    void backUpAndWait() {
        controller().startBackup();
        const auto task = controller().backupTask();
        ASSERT_TRUE(task);
        await(OperationHandle::wait(task));
        EXPECT_FALSE(controller().hasBackupTask());
    }

    QList<QStringList> callsOf(const QString& command) const {
        QList<QStringList> calls;
        for (int call = 1; call <= fake.callCount(); ++call) {
            if (fake.arguments(call).value(0) == command) {
                calls.append(fake.arguments(call));
            }
        }
        return calls;
    }

    TestPlatform test;
    FakeRestic fake;
    std::unique_ptr<AppModel> model;
};

} // namespace

TEST_F(Controller, runsABackupEndToEndAndRefreshesTheRepository) {
    LogCapture log;
    QList<AppStatus> statuses;
    QObject::connect(model.get(), &AppModel::baseStatusChanged,
                     [&] { statuses.append(model->baseStatus()); });
    model->setUploadLimitKiBps(0);
    backUpAndWait();

    EXPECT_EQ(statuses.value(0), AppStatus::backingUp({}));
    // Bytes and restic's estimate of the time left travel with the file counts.
    EXPECT_EQ(statuses.value(1), AppStatus::backingUp({0.5, 2, 4, 1200000000, 2000000000, 190}));
    EXPECT_EQ(statuses.value(2), AppStatus::backingUp({1, 5, 5, 250080, 250080, std::nullopt}));
    EXPECT_EQ(model->baseStatus(), AppStatus::protected_());
    const auto excludes = qint64(model->scope().effectiveExcludes(model->excludes()).size());
    EXPECT_EQ(
        log.messages(QStringLiteral("backup")),
        (QStringList{QStringLiteral("summary: +253352 bytes, 0 warnings, %1 excludes").arg(excludes),
                     QStringLiteral("retention applied with prune"), QStringLiteral("cache cleanup ran")}));
    EXPECT_EQ(log.messages(QStringLiteral("check")),
              (QStringList{QStringLiteral("integrity check passed"),
                           QStringLiteral("integrity check read data subset 1/52")}));
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              (QStringList{QStringLiteral("backup started"), QStringLiteral("backup finished")}));

    const auto backup = callsOf(QStringLiteral("backup")).value(0);
    EXPECT_EQ(backup.mid(0, 2), (QStringList{"backup", "--json"}));
    EXPECT_EQ(backup.filter(QRegularExpression(QStringLiteral("^--exclude="))).size(), excludes);
    EXPECT_FALSE(backup.contains(QStringLiteral("--limit-upload")));
    EXPECT_EQ(backup.mid(backup.size() - 3), (QStringList{"--exclude-caches", "--", test.home()}));
    EXPECT_EQ(callsOf(QStringLiteral("forget")).value(0),
              (QStringList{"forget", "--json", "--keep-hourly", "24", "--keep-daily", "30", "--keep-monthly",
                           "12", "--prune"}));

    const auto now = test.clock.now();
    EXPECT_EQ(model->lastBackupExcludeCount(), excludes);
    EXPECT_EQ(test.settings().dateValue(SettingsKeys::lastPruneDate), now);
    EXPECT_EQ(test.settings().dateValue(SettingsKeys::lastCacheCleanupDate), now);
    EXPECT_EQ(model->lastChecked(), now);
    // The refresh: the newest snapshot's time and figures, two history rows, the stored size and its cost.
    EXPECT_EQ(model->lastBackup(), QDateTime(QDate(2026, 12, 6), QTime(22, 59, 11, 672), QTimeZone::utc()));
    ASSERT_EQ(model->recentBackups().size(), 2);
    EXPECT_EQ(model->recentBackups()[0].excludeCount, excludes);
    EXPECT_EQ(model->stats().protectedBytes, 250088);
    EXPECT_EQ(model->stats().fileCount, 5);
    EXPECT_EQ(model->storage().sizeBytes, 254450);
    EXPECT_DOUBLE_EQ(*model->stats().monthlyCostEUR, 254450 / 1e9 * 0.01606);
    EXPECT_EQ(model->storage().provider, QStringLiteral("Scaleway"));

    // A week later nothing is due but retention without pruning.
    test.clock.advance(3600);
    LogCapture second;
    model->setUploadLimitKiBps(1);
    backUpAndWait();
    EXPECT_EQ(second.messages(QStringLiteral("backup")).mid(1),
              QStringList{QStringLiteral("retention applied")});
    EXPECT_TRUE(second.messages(QStringLiteral("check")).isEmpty());
    EXPECT_TRUE(
        callsOf(QStringLiteral("backup")).value(1).join(' ').contains(QStringLiteral("--limit-upload 1")));
}

TEST_F(Controller, aSecondRequestWhileOneIsPendingIsIgnored) {
    controller().startBackup();
    const auto first = controller().backupTask();
    controller().startBackup();
    EXPECT_EQ(controller().backupTask(), first);
    EXPECT_EQ(controller().queuedOperationCount() + (controller().currentOperation() ? 1 : 0), 1);
    await(OperationHandle::wait(first));
    EXPECT_EQ(callsOf(QStringLiteral("backup")).size(), 1);
}

TEST_F(Controller, exit3IsAPartialSuccessWithDeduplicatedWarnings) {
    model->setLastBackupFailure(QStringLiteral("Backup failed."));
    respond({{QStringLiteral("backup"), fixture("backup-exit3.stdout.txt") + QStringLiteral("; ") +
                                            privacyErrors + QStringLiteral("; exit 3")}});
    LogCapture log;
    backUpAndWait();
    const auto lines = log.messages(QStringLiteral("backup"));
    EXPECT_EQ(lines.mid(1, 5),
              (QStringList{
                  QStringLiteral("partial success: some sources unreadable (exit 3)"),
                  QStringLiteral("warning during scan: /h/Mail — open /h/Mail: Operation Not Permitted"),
                  QStringLiteral("warning during archival: /h/Mail — open /h/Mail: operation not permitted"),
                  QStringLiteral("warning during archival: /h/x — open /h/x: permission denied"),
                  QStringLiteral("privacy-protected paths skipped; Full Disk Access probe: granted")}));
    EXPECT_EQ(model->lastBackupWarnings(),
              (QList<BackupWarning>{{BackupWarning::Kind::privacyProtected, QStringLiteral("/h/Mail")},
                                    {BackupWarning::Kind::permissionDenied, QStringLiteral("/h/x")}}));
    EXPECT_EQ(model->lastBackupFailure(), std::nullopt);
    EXPECT_EQ(model->baseStatus(), AppStatus::protectedWithWarnings(2));
    EXPECT_EQ(callsOf(QStringLiteral("forget")).size(), 1);

    respond({{QStringLiteral("backup"), QStringLiteral("echo 'Warning: something odd' >&2; exit 3")}});
    LogCapture bare;
    backUpAndWait();
    EXPECT_TRUE(
        bare.messages(QStringLiteral("backup"))
            .contains(QStringLiteral("exit 3 without error records; stderr: Warning: something odd")));
    EXPECT_EQ(model->lastBackupWarnings(),
              (QList<BackupWarning>{{BackupWarning::Kind::other, std::nullopt}}));
}

TEST_F(Controller, aFailedBackupIsRecordedAndSkipsMaintenance) {
    LogCapture log;
    respond({{QStringLiteral("backup"), QStringLiteral("echo 'Fatal: interrupted' >&2; exit 130")}});
    backUpAndWait();
    EXPECT_TRUE(log.lines().contains(QStringLiteral("[ERROR] backup: failed: Backup was cancelled.")));
    EXPECT_EQ(model->lastBackupFailure(), QStringLiteral("Backup was cancelled."));
    EXPECT_EQ(model->baseStatus(), AppStatus::error(QStringLiteral("Backup was cancelled.")));
    EXPECT_TRUE(callsOf(QStringLiteral("forget")).isEmpty());

    // restic stopped by someone else's SIGINT exits 1: a failure, since Keldoran did not ask for it.
    respond({{QStringLiteral("backup"), QStringLiteral("exit 1")}});
    backUpAndWait();
    EXPECT_EQ(model->baseStatus(), AppStatus::error(QStringLiteral("Backup failed.")));
}

// A signal's number is no exit code: not a partial success (3), a lock (11) to unlock, nor a password (12).
TEST_F(Controller, aBackupEndedByASignalIsAFailureThatNamesIt) {
    for (const int signal : {3, 11, 12}) {
        respond(
            {{QStringLiteral("backup"),
              QStringLiteral("ulimit -c 0; exec /usr/bin/python3 -c 'import os; os.kill(os.getpid(), %1)'")
                  .arg(signal)}});
        const int callsBefore = fake.callCount();
        backUpAndWait();
        const auto sentence = QStringLiteral("restic stopped unexpectedly (signal %1).").arg(signal);
        EXPECT_EQ(model->lastBackupFailure(), sentence);
        EXPECT_EQ(model->baseStatus(), AppStatus::error(sentence));
        EXPECT_EQ(fake.callCount(), callsBefore + 1) << "nothing after the failed backup, no unlock";
    }
}

TEST_F(Controller, aCancelledBackupRecordsNothingWhateverResticsExitCode) {
    model->setLastBackupFailure(QStringLiteral("Backup failed."));
    model->setLastBackupWarnings({{BackupWarning::Kind::vanished, std::nullopt}});
    // Like restic 0.18: an interrupted backup exits 1.
    respond({{QStringLiteral("backup"), QStringLiteral("await_interrupt 1")}});
    LogCapture log;
    controller().startBackup();
    const auto task = controller().backupTask();
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(1); }));
    controller().cancelBackup();
    await(OperationHandle::wait(task));
    EXPECT_EQ(fake.interruptsReceived(1), 1);
    EXPECT_EQ(log.messages(QStringLiteral("backup")),
              QStringList{QStringLiteral("cancelled by user or quit")});
    EXPECT_EQ(model->lastBackupFailure(), QStringLiteral("Backup failed."));
    EXPECT_EQ(model->lastBackupWarnings().size(), 1);
    EXPECT_EQ(model->baseStatus(), AppStatus::error(QStringLiteral("Backup failed.")));
    EXPECT_TRUE(callsOf(QStringLiteral("forget")).isEmpty());
}

TEST_F(Controller, aLockedRepositoryIsUnlockedAndTheBackupRetried) {
    fake.step(
        1, QStringLiteral(
               "echo '{\"message_type\":\"exit_error\",\"code\":11,\"message\":\"locked\"}' >&2; exit 11"));
    backUpAndWait();
    EXPECT_EQ(fake.arguments(2), QStringList{QStringLiteral("unlock")});
    EXPECT_EQ(callsOf(QStringLiteral("backup")).size(), 2);
    EXPECT_EQ(model->baseStatus(), AppStatus::protected_());
}

TEST_F(Controller, maintenanceLogsAndSwallowsEveryFailure) {
    respond({{QStringLiteral("forget"), QStringLiteral("exit 1")},
             {QStringLiteral("cache"), QStringLiteral("exit 1")},
             {QStringLiteral("check"), QStringLiteral("echo 'REPOSITORY CONTAINS ERRORS' >&2; exit 1")}});
    test.settings().setValue(SettingsKeys::lastPruneDate, test.clock.now().addDays(-8));
    LogCapture log;
    backUpAndWait();
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("[ERROR] backup: retention failed (with prune): exit 1 (generic)")));
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("[ERROR] backup: cache cleanup failed: exit 1 (generic)")));
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("[ERROR] check: integrity check failed (corruption): exit 1 (generic)")));
    EXPECT_EQ(test.settings().dateValue(SettingsKeys::lastPruneDate), test.clock.now().addDays(-8));
    EXPECT_EQ(test.settings().dateValue(SettingsKeys::lastCacheCleanupDate), test.clock.now());
    EXPECT_EQ(model->lastCheckFailure(), CheckFailureReason::corruption);
    EXPECT_EQ(model->lastChecked(), std::nullopt);
    EXPECT_EQ(model->baseStatus(), AppStatus::protected_());

    respond({{QStringLiteral("check"), QStringLiteral("exit 12")}});
    backUpAndWait();
    EXPECT_EQ(model->lastCheckFailure(), CheckFailureReason::unreachable);

    respond({{QStringLiteral("check"), QStringLiteral("echo 'locked exclusively' >&2; exit 11")}});
    LogCapture locked;
    backUpAndWait();
    EXPECT_TRUE(
        locked.messages(QStringLiteral("check"))
            .value(0)
            .startsWith(QStringLiteral(
                "integrity check skipped: repository locked by another process — exit 11 (lockFailed)")));
    EXPECT_EQ(model->lastCheckFailure(), CheckFailureReason::unreachable);

    // On battery the check waits, even with backups on battery allowed.
    test.power.onBattery = true;
    respond({});
    const auto checksBefore = callsOf(QStringLiteral("check")).size();
    backUpAndWait();
    EXPECT_EQ(callsOf(QStringLiteral("check")).size(), checksBefore);
}

// A plain check never reads the data: each week's check reads the next 52nd of it, so every byte is read
// once a year, except on a metered connection.
TEST_F(Controller, theWeeklyCheckReadsTheNextShareOfTheDataEachWeek) {
    respond({{QStringLiteral("check"),
              QStringLiteral("echo 'read group #1 of 2 data packs (out of total 104 packs in 52 groups)'")}});
    model->setStorage({QStringLiteral("Scaleway"), QStringLiteral("Paris, France"), 52'000'000'000, true});
    const auto restic = *controller().restic();
    const auto week = [&] {
        await(PostBackupMaintenance::checkIntegrity(model.get(), restic, {}));
        test.clock.advance(7 * 24 * 3600);
        return callsOf(QStringLiteral("check")).last().mid(1).join(' ');
    };
    LogCapture log;
    EXPECT_EQ(week(), QStringLiteral("--read-data-subset 1/52")); // nothing read yet
    test.settings().setValue(SettingsKeys::checkDataSubset, 50);
    EXPECT_EQ(
        (QStringList{week(), week(), week()}),
        (QStringList{"--read-data-subset 51/52", "--read-data-subset 52/52", "--read-data-subset 1/52"}));
    EXPECT_TRUE(log.messages(QStringLiteral("check"))
                    .contains(QStringLiteral(
                        "integrity check read data subset 52/52: 2 of 104 data packs, about 1 GB")));

    test.network.metered = true;
    const auto checks = callsOf(QStringLiteral("check")).size();
    week();
    EXPECT_EQ(callsOf(QStringLiteral("check")).size(), checks); // metered work waits for the user's leave
    model->setBackupOnMetered(true);
    EXPECT_EQ(week(), QString()); // allowed: the structure is checked, no data is read
    EXPECT_EQ(test.settings().integerValue(SettingsKeys::checkDataSubset), 1); // the next share waits
}

TEST_F(Controller, pruningWaitsForAnUnmeteredConnectionUnlessMeteredBackupsAreAllowed) {
    const auto restic = *controller().restic();
    test.network.metered = true;
    await(PostBackupMaintenance::applyRetention(model.get(), restic, {}));
    EXPECT_FALSE(callsOf(QStringLiteral("forget")).last().contains(QStringLiteral("--prune")));
    EXPECT_EQ(test.settings().dateValue(SettingsKeys::lastPruneDate), std::nullopt);
    model->setBackupOnMetered(true);
    await(PostBackupMaintenance::applyRetention(model.get(), restic, {}));
    EXPECT_TRUE(callsOf(QStringLiteral("forget")).last().contains(QStringLiteral("--prune")));
}

TEST_F(Controller, aQuitDuringTheCheckLeavesItUnrecorded) {
    respond({{QStringLiteral("check"), QStringLiteral("await_interrupt 130")}});
    LogCapture log;
    controller().startBackup();
    const auto task = controller().backupTask();
    ASSERT_TRUE(spinUntil([&] {
        const auto calls = callsOf(QStringLiteral("check"));
        return !calls.isEmpty() && fake.isWaiting(fake.callCount());
    }));
    task->cancel();
    await(OperationHandle::wait(task));
    EXPECT_EQ(
        log.messages(QStringLiteral("check")),
        QStringList{QStringLiteral("integrity check interrupted — it runs again after the next backup")});
    EXPECT_EQ(model->lastCheckFailure(), std::nullopt);
    EXPECT_EQ(model->lastChecked(), std::nullopt);
    EXPECT_EQ(model->baseStatus(), AppStatus::protected_());
}

TEST_F(Controller, theGateRefusesBackupsWithoutAccessToTheHomeFolder) {
    bool granted = false;
    controller().fullDiskAccessProbe = [&granted] {
        return granted;
    };
    model->setBaseStatus(AppStatus::protected_());
    LogCapture log;
    EXPECT_FALSE(controller().checkFullDiskAccess());
    EXPECT_FALSE(controller().checkFullDiskAccess());
    EXPECT_EQ(model->baseStatus(), AppStatus::fullDiskAccessRequired());
    controller().startBackup();
    EXPECT_FALSE(controller().hasBackupTask());
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(
        "[ERROR] backup: Full Disk Access missing — backups refused until granted (#127); unsigned build, "
        "executable sha256 ")));
    EXPECT_EQ(lines[1], QStringLiteral("[ERROR] backup: backup refused: Full Disk Access missing"));

    model->setLastBackupFailure(QStringLiteral("Backup failed."));
    granted = true;
    EXPECT_TRUE(controller().checkFullDiskAccess());
    EXPECT_EQ(model->baseStatus(), AppStatus::error(QStringLiteral("Backup failed.")));
    EXPECT_EQ(log.lines().last(), QStringLiteral("[INFO] backup: Full Disk Access granted — resuming"));

    model->setBaseStatus(AppStatus::backingUp({}));
    granted = false;
    EXPECT_FALSE(controller().checkFullDiskAccess());
    EXPECT_EQ(model->baseStatus(), AppStatus::backingUp({}));
}

TEST_F(Controller, operationsRunOneAfterAnotherInOrder) {
    LogCapture log;
    auto gate = std::make_shared<OperationHandle>();
    controller().enqueue(RepositoryOperation::backup,
                         [gate](std::stop_token) { return OperationHandle::wait(gate); });
    controller().enqueue(RepositoryOperation::restore,
                         [](std::stop_token) -> QCoro::Task<void> { co_return; });
    controller().startBackup(); // queued behind the restore
    EXPECT_EQ(controller().queuedOperationCount(), 2);
    EXPECT_EQ(controller().currentOperation(), RepositoryOperation::backup);
    gate->markFinished();
    ASSERT_TRUE(spinUntil([&] { return !controller().hasBackupTask(); }));
    // The first started before the others were queued; the restore started with the backup behind it.
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              (QStringList{"backup started", "backup finished", "restore started (1 queued behind it)",
                           "restore finished", "backup started", "backup finished"}));
}

TEST_F(Controller, aBackupCancelledWhileQueuedNeverBeginsAndIsNotOwed) {
    auto gate = std::make_shared<OperationHandle>();
    controller().enqueue(RepositoryOperation::restore,
                         [gate](std::stop_token) { return OperationHandle::wait(gate); });
    controller().startBackup();
    const auto task = controller().backupTask();
    ASSERT_NE(task, nullptr);
    controller().cancelBackup();
    gate->markFinished();
    await(OperationHandle::wait(task));
    EXPECT_TRUE(callsOf(QStringLiteral("backup")).isEmpty());
    EXPECT_FALSE(model->lastBackupUnfinished());
    EXPECT_FALSE(controller().hasBackupTask());
}

// A repository that stops opening with the stored password, or is gone, is told at launch as an error
// (protection has stopped), and the error goes when a listing succeeds again; storage that cannot be
// reached just now leaves the last known state.
TEST_F(Controller, aRepositoryThatNoLongerOpensIsToldAtLaunchUntilItOpensAgain) {
    const QString unreachable = QStringLiteral(
        R"(echo 'Fatal: unable to open repository: dial tcp: lookup s3.example: no such host' >&2; exit 1)");
    await(controller().prepareRepository());
    ASSERT_EQ(model->baseStatus().kind, AppStatus::Kind::protected_);
    respond({{QStringLiteral("snapshots"), unreachable}});
    await(controller().prepareRepository());
    EXPECT_EQ(model->baseStatus().kind, AppStatus::Kind::protected_);

    for (const auto& [answer, sentence] :
         {std::pair{QStringLiteral(R"(echo '{"message_type":"exit_error","code":12,"message":"Fatal: wrong )"
                                   R"(password or no key found"}' >&2; exit 12)"),
                    QStringLiteral("Repository password is incorrect.")},
          std::pair{QStringLiteral("exit 10"),
                    QStringLiteral("The backup repository could not be found.")}}) {
        respond({{QStringLiteral("snapshots"), answer}});
        await(controller().prepareRepository());
        EXPECT_EQ(model->baseStatus().kind, AppStatus::Kind::error);
        EXPECT_EQ(model->baseStatus().message, sentence);
        respond({{QStringLiteral("snapshots"), unreachable}});
        await(controller().prepareRepository());
        EXPECT_EQ(model->baseStatus().message, sentence) << "not known to open yet";
        respond({});
        await(controller().prepareRepository());
        EXPECT_EQ(model->baseStatus().kind, AppStatus::Kind::protected_);
    }
}

TEST_F(Controller, theRefreshFallsBackWhereTheRepositoryAnswersLess) {
    respond({{QStringLiteral("snapshots"), QStringLiteral("exit 1")}});
    await(controller().refreshRepositoryState());
    EXPECT_EQ(model->storage().sizeBytes, 254450);
    EXPECT_EQ(model->lastBackup(), std::nullopt);

    // A newest snapshot without a summary: the sizes come from `stats --mode restore-size latest`.
    respond({{QStringLiteral("snapshots"),
              QStringLiteral("echo "
                             "'[{\"time\":\"2026-12-06T10:00:00Z\",\"tree\":\"t\",\"paths\":[\"/"
                             "h\"],\"hostname\":\"vm\",\"id\":\"a\",\"short_id\":\"a\"}]'")}});
    await(controller().refreshRepositoryState());
    EXPECT_EQ(model->stats().protectedBytes, 250088);
    EXPECT_EQ(model->stats().fileCount, 14);
    EXPECT_TRUE(callsOf(QStringLiteral("stats"))
                    .contains(QStringList{"stats", "--json", "--mode", "restore-size", "--", "latest"}));
}

TEST(ControllerBootstrap, setsTheStatusForEachConfigurationOutcome) {
    TestPlatform test;
    FakeRestic fake;
    test.useFakeRestic(fake);
    fake.respond(
        {{QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
         {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0,\"snapshots_count\":0}'")}});
    test.services.loginItem = ServiceRegistration::Status::enabled;
    {
        AppModel model(test.platform());
        LogCapture log;
        await(model.controller().bootstrap());
        EXPECT_EQ(model.baseStatus(), AppStatus::needsSetup());
        EXPECT_TRUE(model.startAtLogin());
        EXPECT_EQ(log.messages(QStringLiteral("lifecycle")),
                  QStringList{QStringLiteral("bootstrap: needsSetup")});
    }
    test.storeConfiguration();
    await(Keychain(test.secrets).remove(Keychain::Account::secretKey));
    {
        AppModel model(test.platform());
        await(model.controller().bootstrap());
        EXPECT_EQ(model.baseStatus(), AppStatus::credentialsUnavailable());
        EXPECT_FALSE(model.controller().isConfigured());
    }
    test.storeConfiguration();
    {
        AppModel model(test.platform());
        model.setIsPaused(true);
        model.setPauseUntil(test.clock.now().addSecs(-1));
        LogCapture log;
        await(model.controller().bootstrap());
        // The status settles; the expired pause ended and, never backed up, the first backup is due at once.
        EXPECT_EQ(model.baseStatus(), AppStatus::protected_());
        EXPECT_FALSE(model.isPaused());
        EXPECT_EQ(model.nextBackup(), test.clock.now().addSecs(BackupScheduler::settleSeconds));
        EXPECT_EQ(log.messages(QStringLiteral("lifecycle")),
                  (QStringList{"bootstrap: configured", "timed pause expired — resuming protection"}));
    }
}

// Settings that are there but do not decode are said, logged with their key and reason, and never run.
TEST(ControllerBootstrap, storageSettingsThatCannotBeReadAreSaidNotTakenForAbsent) {
    TestPlatform test;
    FakeRestic fake;
    test.useFakeRestic(fake);
    test.storeConfiguration();
    const QList<QVariant> unreadable{
        QByteArray(R"({"provider":"scaleway","region":"fr-p)"),
        QByteArray("{\"provider\":\"scaleway\",\"region\":\"fr-par\",\"bucket\":\"caf\xff\"}"),
        QByteArray(R"({"provider":"scaleway","region":"fr-par","bucket":"a/../b"})"),
        QStringLiteral("not a byte array")};
    for (const auto& value : unreadable) {
        test.settings().setValue(SettingsKeys::storageConfig, value);
        AppModel model(test.platform());
        LogCapture log;
        EXPECT_EQ(await(model.controller().configureAtLaunch()), ConfigurationOutcome::settingsUnreadable)
            << value.toString().toStdString();
        EXPECT_EQ(model.baseStatus(), AppStatus::error(SetupMessages::unreadableConfiguration()));
        EXPECT_FALSE(model.controller().isConfigured());
        const auto errors =
            log.lines().filter(QStringLiteral("[ERROR] lifecycle: settings: storageConfig unreadable: "));
        EXPECT_EQ(errors.size(), 1) << log.lines().join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_EQ(fake.callCount(), 0);
}

// Counts at the top of restic's unsigned range are unknown, never negative: "—", not "-1 files".
TEST_F(Controller, countsBeyondTheSignedRangeAreUnknownNotNegative) {
    const QString huge = QStringLiteral("18446744073709551615");
    respond(
        {{QStringLiteral("snapshots"),
          QStringLiteral(
              R"(echo '[{"time":"2026-01-01T10:00:00Z","tree":"t","paths":["/h"],"hostname":"h","id":"a1","short_id":"a1",)"
              R"("summary":{"total_files_processed":%1,"total_bytes_processed":%1,"data_added":%1}}]')")
              .arg(huge)},
         {QStringLiteral("stats"),
          QStringLiteral(R"(echo '{"total_size":%1,"snapshots_count":1}')").arg(huge)}});
    await(controller().refreshRepositoryState());
    EXPECT_EQ(model->stats().fileCount, std::nullopt);
    EXPECT_EQ(model->stats().protectedBytes, std::nullopt);
    EXPECT_EQ(model->storage().sizeBytes, std::nullopt);
    EXPECT_EQ(model->stats().monthlyCostEUR, std::nullopt);
    ASSERT_FALSE(model->recentBackups().isEmpty());
    EXPECT_EQ(model->recentBackups().first().addedBytes, std::nullopt);

    EXPECT_EQ(CheckedNumber::fromWholeDouble(1e30), std::nullopt);
    EXPECT_EQ(CheckedNumber::fromWholeDouble(9223372036854775808.0), std::nullopt);
    EXPECT_EQ(CheckedNumber::fromWholeDouble(-1e19), std::nullopt);
    EXPECT_EQ(CheckedNumber::fromWholeDouble(std::nan("")), std::nullopt);
    EXPECT_EQ(CheckedNumber::fromWholeDouble(4096.0), 4096);
    const auto cache = StatsCache::decoded(R"({"protectedBytes":1e30,"fileCount":-1e300,"storageBytes":12})");
    ASSERT_TRUE(cache);
    EXPECT_EQ(cache->protectedBytes, std::nullopt);
    EXPECT_EQ(cache->fileCount, std::nullopt);
    EXPECT_EQ(cache->storageBytes, 12);
}

// restic retrying an unreachable server leaves its progress standing: after a minute that is said, after
// half an hour the backup is given up as a failure with that reason; a cancel says it is stopping.
TEST_F(Controller, aBackupWithoutProgressSaysItIsRetryingThenGivesUp) {
    respond({{QStringLiteral("backup"),
              QStringLiteral("echo '{\"message_type\":\"status\",\"percent_done\":0.96,\"files_done\":3}'; "
                             "echo '{\"message_type\":\"status\",\"percent_done\":0.96,\"files_done\":3}'; "
                             "await_interrupt 1")}});
    controller().startBackup();
    const auto task = controller().backupTask();
    ASSERT_TRUE(
        spinUntil([&] { return fake.isWaiting(1) && model->baseStatus().progress.fraction == 0.96; }));
    QCoreApplication::processEvents();
    test.clock.advance(BackupStallWatch::retryingAfterSeconds - 1);
    EXPECT_EQ(model->baseStatus().message, QString());
    test.clock.advance(1);
    EXPECT_EQ(model->baseStatus().kind, AppStatus::Kind::backingUp);
    EXPECT_EQ(model->baseStatus().message, QStringLiteral("Can't reach Scaleway — retrying…"));
    // The popover and keldoranctl status say it too.
    const auto shown = StatusPresentation::of(*model, true, true, test.home(), test.clock.now());
    EXPECT_TRUE(shown.subtitle.contains(QStringLiteral("Can't reach Scaleway — retrying…")))
        << shown.subtitle.toStdString();
    EXPECT_TRUE(shown.lines(*model).join('\n').contains(QStringLiteral("Can't reach Scaleway — retrying…")));
    EXPECT_EQ(fake.interruptsReceived(1), 0);
    test.clock.advance(BackupStallWatch::giveUpAfterSeconds - BackupStallWatch::retryingAfterSeconds);
    await(OperationHandle::wait(task));
    EXPECT_EQ(fake.interruptsReceived(1), 1);
    const auto reason =
        QStringLiteral("Can't reach Scaleway — the backup stopped after 30 minutes without progress.");
    EXPECT_EQ(model->lastBackupFailure(), reason);
    EXPECT_EQ(model->baseStatus(), AppStatus::error(reason));

    respond({{QStringLiteral("backup"), QStringLiteral("await_interrupt 1")}});
    controller().startBackup();
    const auto cancelled = controller().backupTask();
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(fake.callCount()); }));
    controller().cancelBackup();
    EXPECT_EQ(model->baseStatus().message, QStringLiteral("Stopping…"));
    await(OperationHandle::wait(cancelled));
    EXPECT_NE(model->baseStatus().kind, AppStatus::Kind::backingUp);
}

} // namespace keldoran
