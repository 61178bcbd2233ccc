// Runs under support/with-keyring: the agent's configuration step reads the session's keyring.
#include "app/agent_runner.h"
#include "model/preferences.h"
#include "model/settings_keys.h"
#include "platform/instance_paths.h"
#include "platform/run_lock.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QProcess>
#include <QTimeZone>

namespace keldoran {

namespace {

const QDateTime snapshotTime(QDate(2026, 12, 6), QTime(22, 59, 11, 672), QTimeZone::utc());

class Agent : public ::testing::Test {
protected:
    void SetUp() override {
        test.useFakeRestic(fake);
        fake.respond(
            {{QStringLiteral("snapshots"),
              QStringLiteral("cat '" KELDORAN_FIXTURES "/restic-0.18/snapshots.json'")},
             {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":1,\"snapshots_count\":2}'")}});
    }

    // One tick; the lifecycle lines it logged, from the skip decision's point of view.
    QStringList tick() {
        LogCapture log;
        AgentRunner agent(test.platform());
        await(agent.run());
        return log.messages(QStringLiteral("lifecycle"));
    }

    void setFrequency(BackupFrequency frequency) {
        auto preferences = Preferences::loadReconciled(test.settings());
        preferences.frequency = frequency;
        preferences.save(test.settings());
    }

    TestPlatform test;
    FakeRestic fake;
};

} // namespace

TEST_F(Agent, skipsWithTheFirstReasonThatHolds) {
    auto lines = tick();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("agent tick — Keldoran ")));
    EXPECT_EQ(lines.mid(1), (QStringList{"bootstrap: needsSetup", "agent skipped: notConfigured"}));

    test.storeConfiguration();
    test.settings().setValue(SettingsKeys::isPaused, true);
    test.network.satisfied = false;
    EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: paused"));

    test.settings().setValue(SettingsKeys::isPaused, false);
    test.power.onBattery = true;
    auto preferences = Preferences::loadReconciled(test.settings());
    preferences.backupOnBattery = false;
    preferences.save(test.settings());
    EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: onBattery"));

    preferences.backupOnBattery = true;
    preferences.save(test.settings());
    EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: offline"));
    EXPECT_EQ(fake.callCount(), 0); // nothing so far needed restic
}

TEST_F(Agent, aNetworkThatNeverAnswersCountsAsOfflineAfterFiveSeconds) {
    test.storeConfiguration();
    test.network.silent = true;
    LogCapture log;
    AgentRunner agent(test.platform());
    auto tick = agent.run();
    ASSERT_TRUE(spinUntil([&] { return test.clock.pendingCalls() > 0; }));
    test.clock.advance(4);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tick.isReady());
    test.clock.advance(1);
    await(std::move(tick));
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")).last(), QStringLiteral("agent skipped: offline"));
}

TEST_F(Agent, runsWhenTheLastBackupIsNineTenthsOfTheIntervalOld) {
    test.storeConfiguration();
    setFrequency(BackupFrequency::daily);
    EXPECT_EQ(AgentRunner::earlySeconds(BackupFrequency::daily), 8640);
    EXPECT_EQ(AgentRunner::earlySeconds(BackupFrequency::hourly), 360);
    EXPECT_EQ(AgentRunner::earlySeconds(BackupFrequency::sixHourly), 2160);

    test.clock.set(snapshotTime.addSecs(77759));
    EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: notDue"));
    EXPECT_EQ(fake.arguments(1), (QStringList{"snapshots", "--json"}));

    // The newest known backup is remembered: the next not-due tick asks restic nothing.
    const auto calls = fake.callCount();
    EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: notDue"));
    EXPECT_EQ(fake.callCount(), calls);

    test.clock.set(snapshotTime.addSecs(77760));
    const auto lines = tick();
    EXPECT_TRUE(
        lines.contains(QStringLiteral("agent: scheduled backup starting (last: 2026-12-06 22:59:11 +0000)")));
    EXPECT_EQ(lines.last(), QStringLiteral("agent: backup finished — exiting"));
}

TEST_F(Agent, aRepositoryWithoutSnapshotsIsAlwaysDue) {
    test.storeConfiguration();
    fake.respond(
        {{QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
         {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0,\"snapshots_count\":0}'")}});
    EXPECT_TRUE(tick().contains(QStringLiteral("agent: scheduled backup starting (last: never)")));
}

TEST_F(Agent, neverRunsBesideTheTrayApplication) {
    test.storeConfiguration();
    const auto appLock = InstanceLock::acquire(InstancePaths::appLock(test.platform().folders));
    ASSERT_TRUE(appLock);
    const auto lines = tick();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("agent skipped: menu-bar app (or another tick) is running"));
}

TEST_F(Agent, aTimedPauseThatEndedLongAgoIsExpiredOnceThenTheBackupRuns) {
    test.storeConfiguration();
    test.settings().setValue(SettingsKeys::isPaused, true);
    test.settings().setValue(SettingsKeys::pauseUntilDate, test.clock.now().addSecs(-86400));
    const auto lines = tick();
    EXPECT_EQ(lines.count(QStringLiteral("timed pause expired — resuming protection")), 1);
    EXPECT_FALSE(lines.contains(QStringLiteral("agent skipped: paused")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("agent: scheduled backup starting (last: 2026-12-06 22:59:11 +0000)")));
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::isPaused), false);
    EXPECT_EQ(tick().count(QStringLiteral("timed pause expired — resuming protection")), 0);
}

TEST_F(Agent, holdsTheRunLockForTheWholeBackupAndYieldsToAnotherHolder) {
    test.storeConfiguration();
    const auto lockPath = InstancePaths::runLock(test.platform().folders);
    fake.respond(
        {{QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
         {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0,\"snapshots_count\":0}'")},
         {QStringLiteral("backup"),
          QStringLiteral(
              "if flock -n '%1' true; then echo free; else echo held; fi > \"$dir/lock-during-backup\"")
              .arg(lockPath)}});
    {
        const auto ctl = RunLock::acquire(lockPath, RunLock::Holder::ctl);
        ASSERT_TRUE(ctl);
        EXPECT_EQ(tick().last(), QStringLiteral("agent skipped: locked"));
    }
    tick();
    EXPECT_EQ(readFile(fake.planDirectory() + QStringLiteral("/lock-during-backup")), QByteArray("held\n"));
    EXPECT_EQ(RunLock::holder(lockPath), std::nullopt);
}

TEST(EntryPoint, onlyTheExactValue1SelectsTheAgent) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "agent tick"}, {"01", "launched"}, {"true", "launched"}, {" 1", "launched"}, {"", "launched"}};
    for (const auto& [value, firstWords] : cases) {
        QTemporaryDir root;
        auto environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable :
             {"HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
            environment.insert(QLatin1String(variable), root.path());
        }
        environment.insert(QStringLiteral("KELDORAN_AGENT"), QLatin1String(value));
        QProcess keldoran;
        keldoran.setProcessEnvironment(environment);
        keldoran.start(QStringLiteral(KELDORAN_EXECUTABLE), QStringList());
        const auto logFile = root.path() + QStringLiteral("/Logs/Keldoran/Keldoran.log");
        ASSERT_TRUE(spinUntil([&] { return QFile(logFile).size() > 0; })) << value;
        if (QByteArray(value) != "1") {
            keldoran.terminate(); // the tray application runs until asked to quit
        }
        ASSERT_TRUE(keldoran.waitForFinished(10000));
        EXPECT_EQ(keldoran.exitCode(), 0);
        QFile file(logFile);
        file.open(QIODevice::ReadOnly);
        const auto first = QString::fromUtf8(file.readLine());
        EXPECT_TRUE(first.contains(QStringLiteral("] lifecycle: ") + QLatin1String(firstWords)))
            << '"' << value << "\": " << first.toStdString();
    }
}

// systemd stopping the agent (SIGTERM) mid-backup: restic gets one interrupt and is waited for, the tick
// ends, and nothing is recorded as a failure.
TEST_F(Agent, aTerminationSignalEndsTheTickTheWayTheTrayQuits) {
    test.storeConfiguration();
    fake.respond(
        {{QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
         {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0,\"snapshots_count\":0}'")},
         {QStringLiteral("backup"), QStringLiteral("await_interrupt 1")}});
    LogCapture log;
    AgentRunner agent(test.platform());
    auto tick = agent.run();
    int backupCall = 0;
    ASSERT_TRUE(spinUntil([&] {
        for (int call = 1; call <= fake.callCount(); ++call) {
            if (fake.arguments(call).value(0) == QLatin1String("backup") && fake.isWaiting(call)) {
                backupCall = call;
            }
        }
        return backupCall > 0;
    }));
    ::raise(SIGTERM);
    await(std::move(tick));
    EXPECT_EQ(fake.interruptsReceived(backupCall), 1);
    const auto lines = log.messages(QStringLiteral("lifecycle"));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("agent: quit requested — cancelling running backup and waiting for restic to exit")));
    EXPECT_TRUE(log.messages(QStringLiteral("backup")).contains(QStringLiteral("cancelled by user or quit")));
    EXPECT_EQ(test.settings().stringValue(SettingsKeys::lastBackupFailure), std::nullopt);
    // Stopped by a quit, not by the user: the backup is still owed, and the next chance runs it.
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::backupUnfinished), true);
}

} // namespace keldoran
