#include "model/preferences.h"
#include "model/settings_keys.h"
#include "platform/ini_settings_store.h"
#include "scope/default_excludes.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace keldoran {

namespace {
QStringList pathsOf(const QList<ExcludeItem>& items) {
    QStringList paths;
    for (const auto& item : items) {
        paths.append(item.path);
    }
    return paths;
}

QStringList sortedDefaults() {
    auto paths = defaultExcludePaths();
    paths.sort();
    return paths;
}
} // namespace

TEST(Preferences, firstLaunchWritesTheDefaultsWithTheDefaultExclusions) {
    QTemporaryDir folder;
    IniSettingsStore settings(IniSettingsStore::standardPath(folder.path()));
    const auto preferences = Preferences::loadReconciled(settings);
    EXPECT_EQ(preferences.frequency, BackupFrequency::hourly);
    EXPECT_TRUE(preferences.backupOnBattery);
    EXPECT_FALSE(preferences.backupOnMetered);
    EXPECT_FALSE(preferences.uploadLimitKiBps.has_value());
    ASSERT_EQ(defaultExcludePaths().size(), 22);
    EXPECT_EQ(defaultExcludePaths().first(), QStringLiteral("~/Library"));
    EXPECT_EQ(pathsOf(preferences.excludes), defaultExcludePaths());
    EXPECT_EQ(preferences.seenDefaultExcludePaths, sortedDefaults());
    EXPECT_EQ(Preferences::load(settings), preferences);
}

TEST(Preferences, aRecordThatDoesNotDecodeFallsBackToTheDefaults) {
    QTemporaryDir folder;
    IniSettingsStore settings(IniSettingsStore::standardPath(folder.path()));
    for (const QByteArray& damaged :
         {QByteArray(R"({"frequency":"weekly","backupOnBattery":true,"excludes":[]})"),
          QByteArray(R"({"frequency":"daily","excludes":[]})"),
          QByteArray(R"({"frequency":"daily","backupOnBattery":true,"excludes":[{"id":"nope","path":"x"}]})"),
          QByteArray(
              R"({"frequency":"daily","backupOnBattery":true,"excludes":[],"uploadLimitKiBps":"fast"})"),
          QByteArray(R"({"frequency":"daily","backupOnBattery":tr)")}) {
        settings.setValue(SettingsKeys::preferences, damaged);
        const auto preferences = Preferences::loadReconciled(settings);
        EXPECT_EQ(preferences.frequency, BackupFrequency::hourly) << damaged.constData();
        EXPECT_EQ(preferences.excludes.size(), 22);
        // The record is rewritten, so the damaged one is gone.
        EXPECT_EQ(Preferences::load(settings), preferences);
    }
    const auto minimal =
        Preferences::decoded(R"({"frequency":"sixHourly","backupOnBattery":false,"excludes":[]})");
    ASSERT_TRUE(minimal);
    EXPECT_FALSE(minimal->uploadLimitKiBps.has_value());
    EXPECT_FALSE(minimal->seenDefaultExcludePaths.has_value());
}

TEST(Preferences, reconcilingKeepsDeletedDefaultsDeletedAndBringsNewOnesOnce) {
    Preferences stored;
    stored.frequency = BackupFrequency::daily;
    stored.uploadLimitKiBps = 2048;
    stored.excludes = {ExcludeItem::make(QStringLiteral("~/Movies")),
                       ExcludeItem::make(QStringLiteral("~/Library"))};
    // The user has seen every default but "*.utm" (added by a later version) and deleted all but ~/Library.
    auto seen = defaultExcludePaths();
    seen.removeAll(QStringLiteral("*.utm"));
    seen.append(QStringLiteral("~/Retired default"));
    stored.seenDefaultExcludePaths = seen;

    const auto reconciled = reconcileDefaultExcludes(stored);
    EXPECT_EQ(pathsOf(reconciled.excludes), (QStringList{"~/Movies", "~/Library", "*.utm"}));
    EXPECT_EQ(reconciled.excludes[0].id, stored.excludes[0].id);
    auto expectedSeen = sortedDefaults() + QStringList{QStringLiteral("~/Retired default")};
    expectedSeen.sort();
    EXPECT_EQ(reconciled.seenDefaultExcludePaths, expectedSeen);
    EXPECT_EQ(reconcileDefaultExcludes(reconciled), reconciled);

    QTemporaryDir folder;
    IniSettingsStore settings(IniSettingsStore::standardPath(folder.path()));
    stored.save(settings);
    EXPECT_EQ(pathsOf(Preferences::loadReconciled(settings).excludes),
              (QStringList{"~/Movies", "~/Library", "*.utm"}));
    EXPECT_EQ(Preferences::load(settings)->uploadLimitKiBps, 2048);
}

TEST(Preferences, backingUpOnMeteredConnectionsIsOffUnlessStoredOn) {
    const auto older = Preferences::decoded(R"({"frequency":"daily","backupOnBattery":true,"excludes":[]})");
    ASSERT_TRUE(older);
    EXPECT_FALSE(older->backupOnMetered);
    auto allowed = *older;
    allowed.backupOnMetered = true;
    EXPECT_EQ(Preferences::decoded(allowed.encoded()), allowed);
    EXPECT_FALSE(Preferences::decoded(
        R"({"frequency":"daily","backupOnBattery":true,"excludes":[],"backupOnMetered":"yes"})"));
}

} // namespace keldoran
