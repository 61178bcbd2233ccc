#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "model/app_model.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class Scheduler : public ::testing::Test {
protected:
    // Moves the clock and lets the queued tick run.
    void advance(qint64 seconds) {
        test.clock.advance(seconds);
        QCoreApplication::processEvents();
    }

    TestPlatform test;
    AppModel model{test.platform()};
    BackupScheduler& scheduler = model.scheduler();
    QDateTime start = test.clock.now();
};

} // namespace

TEST_F(Scheduler, firesEveryIntervalAndPublishesTheNextBackup) {
    LogCapture log;
    QSignalSpy setup(&model, &AppModel::setupRequested);
    scheduler.reschedule();
    EXPECT_EQ(model.nextBackup(), start.addSecs(3600));
    advance(3599);
    EXPECT_TRUE(log.messages(QStringLiteral("queue")).isEmpty());
    advance(1);
    EXPECT_EQ(log.messages(QStringLiteral("queue")), QStringList{QStringLiteral("scheduled backup firing")});
    EXPECT_EQ(setup.count(), 1); // nothing is configured, so "back up now" asks for setup
    EXPECT_EQ(model.nextBackup(), start.addSecs(7200));
    EXPECT_EQ(scheduler.nextFire(), start.addSecs(7200));
}

TEST_F(Scheduler, aMachineThatSleptThroughFireTimesTicksOnceAsSoonAsItWakes) {
    LogCapture log;
    scheduler.reschedule();
    advance(5 * 3600 + 120); // suspended for five hours
    EXPECT_EQ(log.messages(QStringLiteral("queue")), QStringList{QStringLiteral("scheduled backup firing")});
    EXPECT_EQ(scheduler.nextFire(), start.addSecs(6 * 3600));
}

TEST_F(Scheduler, thePauseOutranksBeingOffline) {
    model.setIsPaused(true);
    model.setIsOnline(false);
    LogCapture log;
    scheduler.reschedule();
    advance(3600);
    EXPECT_EQ(log.messages(QStringLiteral("queue")), QStringList{QStringLiteral("scheduled backup skipped: paused")});
    EXPECT_FALSE(model.pendingBackupWhileOffline());
    EXPECT_EQ(test.power.readings, 0);
}

TEST_F(Scheduler, offlineTicksDeferTheBackupUntilTheNetworkReturns) {
    model.setIsOnline(false);
    QSignalSpy pending(&model, &AppModel::pendingBackupWhileOfflineChanged);
    LogCapture log;
    scheduler.reschedule();
    advance(3600);
    advance(3600);
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              (QStringList{"scheduled backup deferred: offline", "scheduled backup deferred: offline"}));
    EXPECT_TRUE(model.pendingBackupWhileOffline());
    EXPECT_EQ(pending.count(), 1);
}

TEST_F(Scheduler, skipsOnBatteryOrWhileAnOperationRuns) {
    test.power.onBattery = true;
    model.setBackupOnBattery(false);
    LogCapture log;
    scheduler.reschedule();
    advance(3600);
    auto gate = std::make_shared<OperationHandle>();
    model.controller().enqueue(RepositoryOperation::restore, [gate](std::stop_token) { return OperationHandle::wait(gate); });
    advance(3600);
    gate->markFinished();
    QCoreApplication::processEvents();
    model.setBackupOnBattery(true);
    advance(3600);
    EXPECT_EQ(log.messages(QStringLiteral("queue")),
              (QStringList{"scheduled backup skipped: on battery", "restore started", "scheduled backup skipped: operation in flight",
                           "restore finished", "scheduled backup firing"}));
}

TEST_F(Scheduler, wakingMovesTheNextBackupButNotTheTimer) {
    scheduler.reschedule();
    test.clock.advance(1800);
    test.wake.wake();
    EXPECT_EQ(model.nextBackup(), start.addSecs(1800 + 3600));
    EXPECT_EQ(scheduler.nextFire(), start.addSecs(3600));
}

TEST_F(Scheduler, rescheduleReplacesTheTimer) {
    LogCapture log;
    scheduler.reschedule();
    model.setFrequency(BackupFrequency::daily);
    scheduler.reschedule();
    EXPECT_EQ(model.nextBackup(), start.addSecs(86400));
    advance(3600);
    EXPECT_TRUE(log.messages(QStringLiteral("queue")).isEmpty());
    advance(86400 - 3600);
    EXPECT_EQ(log.messages(QStringLiteral("queue")), QStringList{QStringLiteral("scheduled backup firing")});
}
