// Runs under support/with-keyring: the tray application's bootstrap reads the session's keyring.
#include "app/menu_bar_app.h"
#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "index/snapshot_indexer.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

class Quit : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        fake.respond({{QStringLiteral("backup"), QStringLiteral("await_interrupt 130")},
                      {QStringLiteral("restore"), QStringLiteral("await_interrupt 130")},
                      {QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
                      {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0}'")}});
        app.terminate = [this] {
            terminated = true;
            runningAtTermination = runningCalls();
        };
        ASSERT_TRUE(app.launch());
        ASSERT_TRUE(spinUntil([&] { return app.model().controller().isConfigured(); }));
    }

    // Calls of the scripted restic that have started waiting and not yet been interrupted.
    int runningCalls() const {
        int running = 0;
        for (int call = 1; call <= fake.callCount(); ++call) {
            running += fake.isWaiting(call) && fake.interruptsReceived(call) == 0;
        }
        return running;
    }

    int callsOf(const QString& command) const {
        int count = 0;
        for (int call = 1; call <= fake.callCount(); ++call) {
            count += fake.arguments(call).value(0) == command;
        }
        return count;
    }

    // Starts a restore and follows its stream to the end.
    void startRestore() {
        auto events =
            app.model().controller().restore(QStringLiteral("abc"), QStringList{QStringLiteral("/h/f")},
                                             QStringLiteral("/h"), RestoreConflict::replace);
        follow(std::move(events), &restoreEnded);
    }

    static QCoro::Task<void> follow(QCoro::AsyncGenerator<RestoreEvent> events, bool* ended) {
        std::exception_ptr error;
        co_await collect(std::move(events), &error);
        *ended = true;
    }

    TestPlatform test;
    FakeRestic fake;
    MenuBarApp app{test.platform()};
    bool terminated = false;
    int runningAtTermination = -1;
    bool restoreEnded = false;
};

} // namespace

TEST_F(Quit, aRestoreRunningAloneIsCancelledAndWaitedFor) {
    startRestore();
    ASSERT_TRUE(spinUntil([&] { return runningCalls() == 1; }));
    app.requestQuit();
    EXPECT_FALSE(terminated); // restic has not exited yet
    ASSERT_TRUE(spinUntil([&] { return terminated; }));
    EXPECT_EQ(runningAtTermination, 0);
    EXPECT_TRUE(restoreEnded);
}

TEST_F(Quit, everythingQueuedIsCancelledWithoutStartingRestic) {
    LogCapture log;
    app.model().controller().startBackup();
    ASSERT_TRUE(spinUntil([&] { return runningCalls() == 1; }));
    startRestore();
    app.requestQuit();
    ASSERT_TRUE(spinUntil([&] { return terminated; }));
    EXPECT_EQ(runningAtTermination, 0);
    EXPECT_TRUE(restoreEnded);
    EXPECT_EQ(callsOf(QStringLiteral("restore")), 0);
    EXPECT_FALSE(app.model().controller().hasBackupTask());
    EXPECT_TRUE(log.messages(QStringLiteral("lifecycle"))
                    .contains(QStringLiteral("quit requested — cancelling the running backup and 1 queued, "
                                             "waiting for restic to exit")));
}

// A backup that succeeds just as the quit begins starts no indexing that the quit would not wait for.
TEST_F(Quit, aBackupSucceedingDuringTheQuitStartsNoIndexing) {
    fake.respond({{QStringLiteral("backup"), QStringLiteral("await_interrupt 130")},
                  {QStringLiteral("ls"), QStringLiteral("await_interrupt 130")},
                  {QStringLiteral("snapshots"),
                   QStringLiteral(R"(echo '[{"time":"2026-12-01T10:00:00Z","tree":"t","paths":["/h"],)"
                                  R"("hostname":"vm","id":"snap1","short_id":"snap1"}]')")},
                  {QStringLiteral("stats"), QStringLiteral("echo '{\"total_size\":0}'")}});
    await(app.model().controller().refreshRepositoryState());
    ASSERT_TRUE(app.model().controller().listedSnapshots().has_value());
    app.model().controller().startBackup();
    ASSERT_TRUE(spinUntil([&] { return runningCalls() == 1; }));
    app.requestQuit();
    emit app.model().controller().backupSucceeded();
    // The restore window's listing may also ask once the quit has begun.
    app.model().snapshotIndexer().request(*app.model().controller().restic(),
                                          {QStringLiteral("snap1"), test.clock.now(), 1});
    ASSERT_TRUE(spinUntil([&] { return terminated; }));
    EXPECT_EQ(runningAtTermination, 0);
    // Anything started late would show within a few hundred milliseconds.
    spinUntil([] { return false; }, 300);
    EXPECT_EQ(callsOf(QStringLiteral("ls")), 0);
    EXPECT_EQ(runningCalls(), 0);
}

TEST(Launch, aStoredConfigurationShowsTheLastKnownStateAndOfflineWhileTheListingHangs) {
    TestPlatform test;
    FakeRestic fake;
    test.storeConfiguration();
    test.useFakeRestic(fake);
    fake.defaultStep(QStringLiteral("await_interrupt 1"));
    const auto lastBackup = test.clock.now().addSecs(-3 * 3600);
    test.settings().setValue(SettingsKeys::lastKnownBackupDate, lastBackup);
    test.network.satisfied = false;
    MenuBarApp app(test.platform());
    bool terminated = false;
    app.terminate = [&] {
        terminated = true;
    };
    ASSERT_TRUE(app.launch());
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(1); })); // the listing has begun and hangs
    auto& model = app.model();
    ASSERT_TRUE(spinUntil([&] { return model.status().kind == AppStatus::Kind::offline; }));
    EXPECT_EQ(model.baseStatus().kind, AppStatus::Kind::protected_);
    EXPECT_EQ(model.lastBackup(), lastBackup);
    EXPECT_TRUE(model.scheduler().nextFire().has_value());

    // Quitting stops the listing too, and waits for it.
    app.requestQuit();
    ASSERT_TRUE(spinUntil([&] { return terminated; }));
    EXPECT_EQ(fake.interruptsReceived(1), 1);
}

} // namespace keldoran
