// keldoranctl status in process, on the fake clock; runs under support/with-keyring.
#include "ctl/commands.h"
#include "model/settings_keys.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/test_platform.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <QTemporaryFile>
#include <unistd.h>

namespace keldoran {

namespace {

// Standard output, captured into a file while it lives.
class CapturedOutput {
public:
    CapturedOutput() {
        file_.open();
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        ::dup2(file_.handle(), STDOUT_FILENO);
    }
    ~CapturedOutput() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stdout);
            ::dup2(saved_, STDOUT_FILENO);
            ::close(saved_);
            saved_ = -1;
        }
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

// keldoranctl status; `done` once it has printed everything.
QCoro::Task<void> runStatus(Platform* platform, int* status, bool* done) {
    const QStringList arguments{QStringLiteral("status")};
    *status = co_await Commands::run(platform, arguments);
    *done = true;
}

class CtlStatus : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        test.settings().setValue(SettingsKeys::lastKnownBackupDate, test.clock.now().addSecs(-2 * 3600));
    }

    TestPlatform test;
    FakeRestic fake;
};

} // namespace

TEST_F(CtlStatus, anUnreachableStorageGivesTheLastKnownStateAfterTwentySeconds) {
    fake.defaultStep(
        QStringLiteral("echo 'Stat(<config/>) returned error, retrying after 678ms' >&2; await_interrupt 1"));
    CapturedOutput output;
    int status = -1;
    bool done = false;
    runStatus(&test.platform(), &status, &done);
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(1); }));
    test.clock.advance(19);
    QCoreApplication::processEvents();
    EXPECT_FALSE(done);
    EXPECT_EQ(fake.interruptsReceived(1), 0);
    test.clock.advance(1);
    ASSERT_TRUE(spinUntil([&] { return done; }));
    EXPECT_EQ(fake.interruptsReceived(1), 1);
    EXPECT_EQ(status, 0);
    const auto text = output.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Protected\nBacked up 2 hours ago\n"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Couldn't reach Scaleway just now.\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Set up"))) << text.toStdString();
}

TEST_F(CtlStatus, aTimedPauseThatHasEndedIsExpiredNotShown) {
    fake.defaultStep(QStringLiteral("exit 1"));
    test.settings().setValue(SettingsKeys::isPaused, true);
    test.settings().setValue(SettingsKeys::pauseUntilDate, test.clock.now().addSecs(-38));
    CapturedOutput output;
    bool done = false;
    int status = -1;
    runStatus(&test.platform(), &status, &done);
    ASSERT_TRUE(spinUntil([&] { return done; }));
    const auto text = output.text();
    EXPECT_FALSE(text.contains(QStringLiteral("Paused"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Resumes"))) << text.toStdString();
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::isPaused), false);
    // Without the tray application, the agent's next quarter-hour tick runs the due backup.
    EXPECT_TRUE(text.contains(QStringLiteral("Next backup"))) << text.toStdString();
}

TEST_F(CtlStatus, saysWhyADueBackupWaits) {
    fake.defaultStep(QStringLiteral("exit 1"));
    test.network.metered = true;
    CapturedOutput output;
    bool done = false;
    int status = -1;
    runStatus(&test.platform(), &status, &done);
    ASSERT_TRUE(spinUntil([&] { return done; }));
    const auto text = output.text();
    EXPECT_TRUE(text.contains(
        QStringLiteral("\nBackups wait while the connection is metered. Allow them in Preferences.\n")))
        << text.toStdString();
}

} // namespace keldoran
