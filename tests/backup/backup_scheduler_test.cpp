// Runs under support/with-keyring: the scheduler decides for a configured controller.
#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "model/app_model.h"
#include "model/preferences.h"
#include "model/settings_keys.h"
#include "platform/instance_paths.h"
#include "platform/run_lock.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

QString fixture(const char* name) {
    return QStringLiteral("cat '" KELDORAN_FIXTURES "/restic-0.18/%1'").arg(QLatin1String(name));
}

class Scheduler : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        // The listing fails, so the last backup is the one the controller recorded on the fake clock.
        fake.respond({{QStringLiteral("backup"), fixture("backup-json.stdout.txt")},
                      {QStringLiteral("snapshots"), QStringLiteral("exit 1")},
                      {QStringLiteral("stats"), QStringLiteral("exit 1")}});
    }

    // A tray application launched now with what the settings hold.
    void launch() {
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
        model->scheduler().start();
    }

    // Moves the clock, lets the queued tick run and waits for a backup it started to end.
    void advance(qint64 seconds) {
        test.clock.advance(seconds);
        QCoreApplication::processEvents();
        if (const auto task = model->controller().backupTask()) {
            await(OperationHandle::wait(task));
        }
        QCoreApplication::processEvents();
    }

    int backups() const {
        int count = 0;
        for (int call = 1; call <= fake.callCount(); ++call) {
            count += fake.arguments(call).value(0) == QLatin1String("backup");
        }
        return count;
    }

    void storeLastBackup(qint64 secondsAgo) {
        test.settings().setValue(SettingsKeys::lastKnownBackupDate, test.clock.now().addSecs(-secondsAgo));
    }

    TestPlatform test;
    FakeRestic fake;
    std::unique_ptr<AppModel> model;
    const QDateTime start = test.clock.now();
};

} // namespace

TEST_F(Scheduler, aBackupOverdueAtLaunchStartsAfterTheSettlingDelay) {
    storeLastBackup(2 * 86400);
    auto preferences = Preferences::loadReconciled(test.settings());
    preferences.frequency = BackupFrequency::daily;
    preferences.save(test.settings());
    launch();
    EXPECT_EQ(model->nextBackup(), start.addSecs(BackupScheduler::settleSeconds));
    advance(BackupScheduler::settleSeconds - 1);
    EXPECT_EQ(backups(), 0);
    advance(1);
    EXPECT_EQ(backups(), 1);
    // The next one is a day after the one that just ran, whatever the launch time was.
    EXPECT_EQ(model->nextBackup(), model->lastBackup()->addSecs(86400));
}

TEST_F(Scheduler, theNextBackupFollowsTheLastOneNotTheLaunch) {
    storeLastBackup(7200);
    auto preferences = Preferences::loadReconciled(test.settings());
    preferences.frequency = BackupFrequency::daily;
    preferences.save(test.settings());
    launch();
    EXPECT_EQ(model->nextBackup(), start.addSecs(86400 - 7200));
    advance(86400 - 7200 - 1);
    EXPECT_EQ(backups(), 0);
    advance(1);
    EXPECT_EQ(backups(), 1);
}

TEST_F(Scheduler, changingTheFrequencyReschedulesAtOnce) {
    storeLastBackup(7200);
    auto preferences = Preferences::loadReconciled(test.settings());
    preferences.frequency = BackupFrequency::daily;
    preferences.save(test.settings());
    launch();
    model->setFrequency(BackupFrequency::hourly);
    EXPECT_EQ(model->nextBackup(), start.addSecs(BackupScheduler::settleSeconds));
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
    model->setFrequency(BackupFrequency::sixHourly);
    EXPECT_EQ(model->nextBackup(), model->lastBackup()->addSecs(21600));
}

TEST_F(Scheduler, aTimedPauseThatEndedBeforeLaunchExpiresOnceAndProtectionResumes) {
    storeLastBackup(3 * 3600);
    test.settings().setValue(SettingsKeys::isPaused, true);
    test.settings().setValue(SettingsKeys::pauseUntilDate, start.addSecs(-38));
    LogCapture log;
    launch();
    EXPECT_FALSE(model->isPaused());
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::isPaused), false);
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle"))
                  .count(QStringLiteral("timed pause expired — resuming protection")),
              1);
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
}

TEST_F(Scheduler, aTimedPauseRunningAtLaunchEndsAtItsTime) {
    storeLastBackup(3 * 3600);
    test.settings().setValue(SettingsKeys::isPaused, true);
    test.settings().setValue(SettingsKeys::pauseUntilDate, start.addSecs(1200));
    launch();
    EXPECT_TRUE(model->isPaused());
    EXPECT_EQ(model->nextBackup(), start.addSecs(1200));
    advance(1199);
    EXPECT_TRUE(model->isPaused());
    EXPECT_EQ(backups(), 0);
    advance(1);
    EXPECT_FALSE(model->isPaused());
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
}

TEST_F(Scheduler, anIndefinitePausePlansNothingAndResumingPlansAgain) {
    storeLastBackup(3 * 3600);
    launch();
    model->pause(AppModel::PauseChoice::indefinitely, test.clock.now());
    EXPECT_EQ(model->nextBackup(), std::nullopt);
    EXPECT_EQ(model->scheduler().nextFire(), std::nullopt);
    advance(5 * 86400);
    EXPECT_EQ(backups(), 0);
    model->resume();
    EXPECT_EQ(model->nextBackup(), test.clock.now().addSecs(BackupScheduler::settleSeconds));
}

TEST_F(Scheduler, aBlockedBackupIsRetriedAndNeverRunsOnBattery) {
    storeLastBackup(3 * 3600);
    test.power.onBattery = true;
    auto preferences = Preferences::loadReconciled(test.settings());
    preferences.backupOnBattery = false;
    preferences.save(test.settings());
    LogCapture log;
    launch();
    EXPECT_EQ(model->nextBackup(), start.addSecs(BackupScheduler::retrySeconds));
    advance(BackupScheduler::retrySeconds);
    EXPECT_EQ(backups(), 0);
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              QStringList{QStringLiteral("scheduled backup skipped: onBattery")});
    EXPECT_EQ(model->nextBackup(), test.clock.now().addSecs(BackupScheduler::retrySeconds));
    test.power.onBattery = false;
    advance(BackupScheduler::retrySeconds);
    EXPECT_EQ(backups(), 1);
}

TEST_F(Scheduler, aMeteredConnectionWaitsUnlessAllowed) {
    storeLastBackup(3 * 3600);
    test.network.metered = true;
    LogCapture log;
    launch();
    advance(BackupScheduler::retrySeconds);
    EXPECT_EQ(backups(), 0);
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              QStringList{QStringLiteral("scheduled backup skipped: metered")});
    model->setBackupOnMetered(true);
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
}

TEST_F(Scheduler, aFailedBackupIsRetriedAfterTheRetryDelayNotAtOnce) {
    storeLastBackup(3 * 3600);
    fake.respond(
        {{QStringLiteral("backup"), QStringLiteral("echo 'Fatal: unable to open config file' >&2; exit 1")},
         {QStringLiteral("snapshots"), QStringLiteral("exit 1")}});
    launch();
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
    EXPECT_EQ(model->baseStatus().kind, AppStatus::Kind::error);
    advance(BackupScheduler::retrySeconds - 1);
    EXPECT_EQ(backups(), 1);
    advance(1);
    EXPECT_EQ(backups(), 2);
}

TEST_F(Scheduler, anotherFrontEndsBackupIsNotJoinedByASecond) {
    storeLastBackup(3 * 3600);
    const auto agent =
        RunLock::acquire(InstancePaths::runLock(test.platform().folders), RunLock::Holder::agent);
    ASSERT_TRUE(agent);
    LogCapture log;
    launch();
    advance(BackupScheduler::retrySeconds);
    EXPECT_EQ(backups(), 0);
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              QStringList{QStringLiteral("scheduled backup skipped: locked")});
}

TEST_F(Scheduler, wakingWithABackupDueStartsItAfterTheSettlingDelay) {
    storeLastBackup(1800);
    launch();
    EXPECT_EQ(model->nextBackup(), start.addSecs(1800));
    test.clock.advance(4 * 3600); // asleep; the wall-clock timer fires on waking
    test.wake.wake();
    EXPECT_EQ(model->nextBackup(), test.clock.now().addSecs(BackupScheduler::settleSeconds));
    advance(BackupScheduler::settleSeconds);
    EXPECT_EQ(backups(), 1);
}

} // namespace keldoran
