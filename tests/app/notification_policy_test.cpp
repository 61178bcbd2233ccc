// When Keldoran notifies, on the injected clock, with a notifier that records.
#include "app/notification_policy.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

class RecordingNotifier : public Notifier {
public:
    void show(const DesktopNotification& notification) override { shown.append(notification); }
    QList<DesktopNotification> shown;
};

class Notifications : public ::testing::Test {
protected:
    QStringList keys() const {
        QStringList keys;
        for (const auto& notification : notifier.shown) {
            keys.append(notification.key);
        }
        return keys;
    }

    TestPlatform test;
    AppModel model{test.platform()};
    RecordingNotifier notifier;
    std::unique_ptr<NotificationPolicy> policy = std::make_unique<NotificationPolicy>(model, notifier);
};

} // namespace

TEST_F(Notifications, tellsEachReasonOnceUntilItClears) {
    model.setBaseStatus(AppStatus::protected_());
    EXPECT_TRUE(notifier.shown.isEmpty()); // never for a routine success

    model.setLastBackupFailure(QStringLiteral("Repository password is incorrect."));
    model.setBaseStatus(AppStatus::error(QStringLiteral("Repository password is incorrect.")));
    ASSERT_EQ(notifier.shown.size(), 1);
    EXPECT_EQ(notifier.shown[0], (DesktopNotification{"backupFailed", "Backup failed",
                                                      "Repository password is incorrect.", "Try again"}));
    model.setBaseStatus(AppStatus::backingUp({}));
    model.setBaseStatus(AppStatus::error(QStringLiteral("Repository password is incorrect.")));
    EXPECT_EQ(notifier.shown.size(), 2); // a backup ran in between: the failure cleared and came back

    policy->evaluate();
    EXPECT_EQ(notifier.shown.size(), 2);
    // After a restart the same failure is not told again.
    policy = std::make_unique<NotificationPolicy>(model, notifier);
    policy->evaluate();
    EXPECT_EQ(notifier.shown.size(), 2);

    model.setBaseStatus(AppStatus::credentialsUnavailable());
    model.setBaseStatus(AppStatus::fullDiskAccessRequired());
    EXPECT_EQ(keys(),
              (QStringList{"backupFailed", "backupFailed", "credentialsUnreadable", "homeFolderUnreadable"}));
    EXPECT_EQ(notifier.shown[2].body,
              QStringLiteral("Your keyring may still be locked — try Retry, or unlock it and try again."));
    EXPECT_EQ(notifier.shown[2].action, QStringLiteral("Retry"));
    EXPECT_EQ(notifier.shown[3].title, QStringLiteral("Home folder access needed"));
    EXPECT_EQ(notifier.shown[3].action, std::nullopt);

    // Turned off, nothing is sent.
    model.setNotificationsEnabled(false);
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::notificationsEnabled), false);
    model.setBaseStatus(AppStatus::protected_());
    model.setBaseStatus(AppStatus::error(QStringLiteral("Backup failed.")));
    EXPECT_EQ(notifier.shown.size(), 4);
}

TEST_F(Notifications, protectionIsOverdueAfterTwiceTheIntervalWhileNotPaused) {
    model.setBaseStatus(AppStatus::protected_());
    model.setFrequency(BackupFrequency::sixHourly);
    model.setLastBackup(test.clock.now().addSecs(-11 * 3600));
    EXPECT_TRUE(notifier.shown.isEmpty());
    test.clock.advance(3600 - 1);
    EXPECT_TRUE(notifier.shown.isEmpty());
    test.clock.advance(1); // twelve hours since the last backup: the armed check fires
    ASSERT_EQ(keys(), QStringList{QStringLiteral("protectionOverdue")});
    EXPECT_EQ(notifier.shown[0].body,
              QStringLiteral("Keldoran last backed up 12 hours ago. It will try again when it can."));

    // A backup clears it; paused, overdue is not told.
    model.setLastBackup(test.clock.now());
    test.clock.advance(13 * 3600);
    EXPECT_EQ(notifier.shown.size(), 2);
    model.setLastBackup(test.clock.now());
    model.pause(AppModel::PauseChoice::indefinitely, test.clock.now());
    test.clock.advance(13 * 3600);
    EXPECT_EQ(notifier.shown.size(), 2);
    model.resume();
    EXPECT_EQ(notifier.shown.size(), 3);
}

TEST_F(Notifications, actionsBackUpOrAskForSetup) {
    int setupRequests = 0;
    QObject::connect(&model, &AppModel::setupRequested, [&] { ++setupRequests; });
    emit notifier.actionInvoked(QStringLiteral("backupFailed"));
    EXPECT_EQ(setupRequests, 1); // not set up: "Try again" leads to setup
}

} // namespace keldoran
