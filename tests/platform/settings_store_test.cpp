#include "model/settings_keys.h"
#include "platform/ini_settings_store.h"
#include "storage/storage_config.h"
#include "support/file_tree.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTimeZone>

namespace keldoran {

TEST(IniSettingsStore, keepsTypedValuesAcrossReloadsAndReadsGarbageAsAbsent) {
    QTemporaryDir folder;
    const auto path = IniSettingsStore::standardPath(folder.path());
    EXPECT_EQ(path, folder.path() + QStringLiteral("/keldoran/keldoran.conf"));
    const QDateTime when(QDate(2026, 3, 29), QTime(1, 30, 15, 250), QTimeZone::utc());
    {
        IniSettingsStore settings(path);
        settings.setValue(QStringLiteral("flag"), true);
        settings.setValue(QStringLiteral("count"), 42);
        settings.setValue(QStringLiteral("text"), QStringLiteral("grüße"));
        settings.setValue(QStringLiteral("when"), when);
        settings.setValue(QStringLiteral("blob"), QByteArray("{\"a\":[1,2]}\n\0x", 14));
    }
    IniSettingsStore reloaded(path);
    EXPECT_EQ(reloaded.boolValue(QStringLiteral("flag")), true);
    EXPECT_EQ(reloaded.integerValue(QStringLiteral("count")), 42);
    EXPECT_EQ(reloaded.stringValue(QStringLiteral("text")), QStringLiteral("grüße"));
    EXPECT_EQ(reloaded.dateValue(QStringLiteral("when")), when);
    EXPECT_EQ(reloaded.dataValue(QStringLiteral("blob")), QByteArray("{\"a\":[1,2]}\n\0x", 14));
    // Wrong types are absent, not coerced.
    EXPECT_EQ(reloaded.boolValue(QStringLiteral("count")), std::nullopt);
    EXPECT_EQ(reloaded.integerValue(QStringLiteral("text")), std::nullopt);
    EXPECT_EQ(reloaded.dateValue(QStringLiteral("blob")), std::nullopt);
    EXPECT_EQ(reloaded.dataValue(QStringLiteral("text")), std::nullopt);
    EXPECT_EQ(reloaded.stringValue(QStringLiteral("missing")), std::nullopt);
}

TEST(IniSettingsStore, aDamagedFileLosesOnlyTheDamagedValues) {
    QTemporaryDir folder;
    const auto path = IniSettingsStore::standardPath(folder.path());
    writeFile(path,
              "[General]\n"
              "isPaused=banana\n"
              "lastBackupExcludeCount=12x\n"
              "pauseUntilDate=@Variant(\\0\\0\\0\\x10\\0\\x2)\n"
              // A JSON blob cut short, quoted the way QSettings writes it.
              "storageConfig=\"@ByteArray({\\\"provider\\\":\\\"scaleway\\\",\\\"region\\\":\\\"fr-p)\"\n"
              "preferences=not even a byte array\n"
              "lastBackupFailure=Backup failed.\n"
              "\x01\x02 garbage line without equals\n"
              "hasCompletedOnboarding=true\n");
    IniSettingsStore settings(path);
    EXPECT_EQ(settings.boolValue(SettingsKeys::isPaused), std::nullopt);
    EXPECT_EQ(settings.integerValue(SettingsKeys::lastBackupExcludeCount), std::nullopt);
    EXPECT_EQ(settings.dateValue(SettingsKeys::pauseUntilDate), std::nullopt);
    ASSERT_TRUE(settings.dataValue(SettingsKeys::storageConfig).has_value()); // read, but it does not decode
    EXPECT_EQ(StorageConfig::load(settings), std::nullopt);
    EXPECT_EQ(settings.dataValue(SettingsKeys::preferences), std::nullopt);
    EXPECT_EQ(settings.stringValue(SettingsKeys::lastBackupFailure), QStringLiteral("Backup failed."));
    EXPECT_EQ(settings.boolValue(SettingsKeys::hasCompletedOnboarding), true);

    settings.removeAll();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(IniSettingsStore, seesWhatAnotherWriterStoredSinceItsLastRead) {
    QTemporaryDir folder;
    const auto path = IniSettingsStore::standardPath(folder.path());
    IniSettingsStore reader(path);
    EXPECT_EQ(reader.boolValue(SettingsKeys::isPaused), std::nullopt);
    IniSettingsStore(path).setValue(SettingsKeys::isPaused, true);
    EXPECT_EQ(reader.boolValue(SettingsKeys::isPaused), true);
    EXPECT_TRUE(reader.contains(SettingsKeys::isPaused));
}

// The settings name folders, a bucket and an endpoint: no one else reads them.
TEST(IniSettingsStore, keepsItsFileAndFolderPrivate) {
    QTemporaryDir folder;
    const auto path = IniSettingsStore::standardPath(folder.path());
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    {
        IniSettingsStore settings(path);
        settings.setValue(QStringLiteral("count"), 42);
    }
    EXPECT_EQ(FileTree::modeOf(path), 0600u);
    EXPECT_EQ(FileTree::modeOf(QFileInfo(path).path()), 0700u);

    QFile::setPermissions(path, owner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    IniSettingsStore widened(path);
    EXPECT_EQ(FileTree::modeOf(path), 0600u);
    widened.setValue(QStringLiteral("count"), 43);
    EXPECT_EQ(FileTree::modeOf(path), 0600u);

    widened.removeAll();
    widened.setValue(QStringLiteral("count"), 44);
    EXPECT_EQ(FileTree::modeOf(path), 0600u);
    EXPECT_EQ(widened.integerValue(QStringLiteral("count")), 44);
}

} // namespace keldoran
