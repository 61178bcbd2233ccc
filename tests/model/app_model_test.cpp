#include "backup/backup_scheduler.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "scope/default_excludes.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

namespace keldoran {

namespace {
using Kind = AppStatus::Kind;

AppStatus shown(AppStatus base, bool paused, bool online) {
    TestPlatform test;
    AppModel model(test.platform());
    model.setBaseStatus(base);
    model.setIsPaused(paused);
    model.setIsOnline(online);
    return model.status();
}
} // namespace

TEST(AppModel, derivesTheShownStatus) {
    const auto backingUp = AppStatus::backingUp({0.5, 10, 20});
    EXPECT_EQ(shown(backingUp, true, false), backingUp);
    EXPECT_EQ(shown(AppStatus::error(QStringLiteral("Backup failed.")), true, true), AppStatus::paused());
    EXPECT_EQ(shown(AppStatus::error(QStringLiteral("Backup failed.")), false, true),
              AppStatus::error(QStringLiteral("Backup failed.")));
    EXPECT_EQ(shown(AppStatus::protected_(), false, false), AppStatus::offline());
    EXPECT_EQ(shown(AppStatus::protected_(), true, false), AppStatus::paused());
    EXPECT_EQ(shown(AppStatus::needsSetup(), true, false), AppStatus::needsSetup());
    EXPECT_EQ(shown(AppStatus::credentialsUnavailable(), true, true), AppStatus::credentialsUnavailable());
    EXPECT_EQ(shown(AppStatus::fullDiskAccessRequired(), false, false), AppStatus::fullDiskAccessRequired());
    EXPECT_EQ(shown(AppStatus::protectedWithWarnings(2), false, true), AppStatus::protectedWithWarnings(2));
    EXPECT_EQ(AppStatus::protected_().caseName(), QStringLiteral("protected"));

    TestPlatform test;
    AppModel model(test.platform());
    model.setBaseStatus(AppStatus::error(QStringLiteral("x")));
    model.setIsPaused(true);
    EXPECT_EQ(model.status().kind, Kind::paused);
    model.resume();
    EXPECT_EQ(model.status(), AppStatus::error(QStringLiteral("x")));
}

TEST(AppModel, settlesOnTheFailureThenTheWarningsAndJudgesTheCheck) {
    TestPlatform test;
    AppModel model(test.platform());
    EXPECT_EQ(model.settledStatus(), AppStatus::protected_());
    const QList<BackupWarning> three(3, BackupWarning{BackupWarning::Kind::vanished, std::nullopt});
    model.setLastBackupWarnings(three);
    EXPECT_EQ(model.settledStatus(), AppStatus::protectedWithWarnings(3));
    model.setLastBackupFailure(QStringLiteral("Backup failed."));
    EXPECT_EQ(model.settledStatus(), AppStatus::error(QStringLiteral("Backup failed.")));

    EXPECT_EQ(model.checkHealth(), AppModel::CheckHealth::overdue);
    model.setLastChecked(test.clock.now().addSecs(-(6 * 86400 + 23 * 3600)));
    EXPECT_EQ(model.checkHealth(), AppModel::CheckHealth::verified);
    model.setLastChecked(test.clock.now().addSecs(-7 * 86400));
    EXPECT_EQ(model.checkHealth(), AppModel::CheckHealth::overdue);
    model.setLastCheckFailure(CheckFailureReason::corruption);
    EXPECT_EQ(model.checkHealth(), AppModel::CheckHealth::failed);
}

TEST(AppModel, pausesUntilTheChosenEndAndExpiresExactlyThen) {
    TestPlatform test;
    AppModel model(test.platform());
    const QDateTime quarterPastTen(QDate(2026, 12, 7), QTime(10, 15));
    model.setPendingBackupWhileOffline(true);
    model.pause(AppModel::PauseChoice::oneHour, quarterPastTen);
    EXPECT_TRUE(model.isPaused());
    EXPECT_EQ(model.pauseUntil(), QDateTime(QDate(2026, 12, 7), QTime(11, 15)));
    EXPECT_FALSE(model.pendingBackupWhileOffline());
    EXPECT_FALSE(model.expirePauseIfDue(quarterPastTen.addSecs(3599)));

    LogCapture log;
    EXPECT_TRUE(model.expirePauseIfDue(quarterPastTen.addSecs(3600)));
    EXPECT_FALSE(model.isPaused());
    EXPECT_EQ(model.pauseUntil(), std::nullopt);
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")),
              QStringList{QStringLiteral("timed pause expired — resuming protection")});

    model.pause(AppModel::PauseChoice::untilTomorrow, QDateTime(QDate(2026, 12, 7), QTime(23, 59)));
    EXPECT_EQ(model.pauseUntil(), QDateTime(QDate(2026, 12, 8), QTime(0, 0)));

    model.pause(AppModel::PauseChoice::indefinitely, quarterPastTen);
    EXPECT_EQ(model.pauseUntil(), std::nullopt);
    EXPECT_FALSE(model.expirePauseIfDue(quarterPastTen.addYears(3)));
    EXPECT_TRUE(model.isPaused());
}

TEST(AppModel, persistsItsFieldsAndLoadsThemAtLaunch) {
    TestPlatform test;
    const QDateTime until(QDate(2026, 12, 8), QTime(9, 0));
    {
        AppModel model(test.platform());
        model.pause(AppModel::PauseChoice::oneHour, until.addSecs(-3600));
        model.setLastChecked(until.addDays(-2));
        model.setLastCheckFailure(CheckFailureReason::corruption);
        model.setLastBackupWarnings({{BackupWarning::Kind::permissionDenied, QStringLiteral("/home/u/x")}});
        model.setLastBackupFailure(QStringLiteral("Repository is locked by another process."));
        model.setLastBackupExcludeCount(31);
        model.setStats({1000, 10, 0.25});
        model.setStorage({QStringLiteral("Scaleway"), QStringLiteral("Paris, France"), 4000, true});
        model.setFrequency(BackupFrequency::daily);
        model.setBackupOnBattery(false);
        model.setUploadLimitKiBps(5120);
    }
    AppModel reloaded(test.platform());
    EXPECT_TRUE(reloaded.isPaused());
    EXPECT_EQ(reloaded.pauseUntil(), until);
    EXPECT_EQ(reloaded.lastChecked(), until.addDays(-2));
    EXPECT_EQ(reloaded.lastCheckFailure(), CheckFailureReason::corruption);
    EXPECT_EQ(reloaded.lastBackupWarnings().size(), 1);
    EXPECT_EQ(reloaded.lastBackupFailure(), QStringLiteral("Repository is locked by another process."));
    EXPECT_EQ(reloaded.lastBackupExcludeCount(), 31);
    EXPECT_EQ(reloaded.stats(), (ProtectedStats{1000, 10, 0.25}));
    // Only the size is cached; the names come from the configuration.
    EXPECT_EQ(reloaded.storage(), (StorageSummary{QString(), QString(), 4000, false}));
    EXPECT_EQ(reloaded.frequency(), BackupFrequency::daily);
    EXPECT_FALSE(reloaded.backupOnBattery());
    EXPECT_EQ(reloaded.uploadLimitKiBps(), 5120);
    EXPECT_EQ(reloaded.excludes().size(), defaultExcludePaths().size());
    EXPECT_EQ(reloaded.baseStatus(), AppStatus::needsSetup());
    EXPECT_EQ(reloaded.lastBackup(), std::nullopt);

    auto& settings = test.settings();
    settings.setValue(SettingsKeys::lastCheckFailureReason, QStringLiteral("meteor"));
    settings.setValue(SettingsKeys::lastCheckFailed, true);
    EXPECT_EQ(AppModel(test.platform()).lastCheckFailure(), std::nullopt); // the older key is not consulted
    settings.remove(SettingsKeys::lastCheckFailureReason);
    EXPECT_EQ(AppModel(test.platform()).lastCheckFailure(), CheckFailureReason::other);
    settings.setValue(SettingsKeys::lastBackupWarnings, QByteArray(R"([{"kind":"nonsense"}])"));
    settings.setValue(SettingsKeys::isPaused, QStringLiteral("perhaps"));
    EXPECT_TRUE(AppModel(test.platform()).lastBackupWarnings().isEmpty());
    EXPECT_FALSE(AppModel(test.platform()).isPaused());
}

TEST(AppModel, aSetterHandedTheSameValueNeitherStoresNorNotifies) {
    TestPlatform test;
    AppModel model(test.platform());
    model.setLastBackupFailure(QStringLiteral("Backup failed."));
    QSignalSpy failure(&model, &AppModel::lastBackupFailureChanged);
    QSignalSpy status(&model, &AppModel::statusChanged);
    // Another writer changes the file; an unchanged setter must not overwrite it.
    IniSettingsStore(IniSettingsStore::standardPath(test.platform().folders.configuration))
        .setValue(SettingsKeys::lastBackupFailure, QStringLiteral("written elsewhere"));
    model.setLastBackupFailure(QStringLiteral("Backup failed."));
    model.setBaseStatus(AppStatus::needsSetup());
    model.setIsOnline(true);
    EXPECT_EQ(failure.count(), 0);
    EXPECT_EQ(status.count(), 0);
    EXPECT_EQ(IniSettingsStore(IniSettingsStore::standardPath(test.platform().folders.configuration))
                  .stringValue(SettingsKeys::lastBackupFailure),
              QStringLiteral("written elsewhere"));
    model.setIsOnline(false);
    EXPECT_EQ(status.count(), 1);
}

TEST(AppModel, backUpNowOpensSetupUnlessCredentialsAreMerelyUnreadable) {
    TestPlatform test;
    AppModel model(test.platform());
    QSignalSpy setup(&model, &AppModel::setupRequested);
    model.backUpNow();
    EXPECT_EQ(setup.count(), 1);
    model.setBaseStatus(AppStatus::credentialsUnavailable());
    model.backUpNow();
    EXPECT_EQ(setup.count(), 1);

    // Nothing configured: a deferred backup stays pending.
    model.setPendingBackupWhileOffline(true);
    model.runPendingBackupIfPossible();
    EXPECT_TRUE(model.pendingBackupWhileOffline());
}

TEST(AppModel, maintainsTheExclusionList) {
    TestPlatform test;
    AppModel model(test.platform());
    const auto home = test.home();
    const auto defaults = model.excludes().size();
    model.addExclusion(home + QStringLiteral("/Movies"));
    EXPECT_EQ(model.excludes().last().path, QStringLiteral("~/Movies"));
    model.addExclusion(home + QStringLiteral("/Movies"));
    EXPECT_EQ(model.excludes().size(), defaults + 1);
    // A home path deeper inside another path is not abbreviated: it would no longer name the folder.
    model.addExclusion(QStringLiteral("/mnt/copy") + home + QStringLiteral("/x"));
    EXPECT_EQ(model.excludes().last().path, QStringLiteral("/mnt/copy") + home + QStringLiteral("/x"));

    const auto items = model.excludes();
    const auto npm = std::find_if(items.begin(), items.end(), [](const ExcludeItem& item) {
        return item.path == QLatin1String("~/.npm");
    });
    model.removeExclusion(npm->id);
    model.restoreDefaultExcludes();
    QStringList paths;
    for (const auto& item : model.excludes()) {
        paths.append(item.path);
    }
    EXPECT_EQ(paths.last(), QStringLiteral("~/.npm"));
    EXPECT_EQ(paths.indexOf(QStringLiteral("~/Movies")),
              int(defaults) - 1); // behind the defaults kept in place
    EXPECT_EQ(AppModel(test.platform()).excludes(), model.excludes());
}

} // namespace keldoran
