#include "model/settings_keys.h"
#include "platform/ini_settings_store.h"
#include "storage/bucket_name.h"
#include "storage/storage_config.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StorageConfig, persistsAsThreeKeysAndLoadsOnlyCatalogueRegions) {
    QTemporaryDir folder;
    IniSettingsStore settings(IniSettingsStore::standardPath(folder.path()));
    EXPECT_EQ(StorageConfig::load(settings), std::nullopt);

    const StorageConfig paris{*StorageProvider::scaleway().region(QStringLiteral("fr-par")), QStringLiteral("backups")};
    EXPECT_EQ(paris.encoded(), QByteArray(R"({"bucket":"backups","provider":"scaleway","region":"fr-par"})"));
    paris.save(settings);
    EXPECT_EQ(StorageConfig::load(IniSettingsStore(IniSettingsStore::standardPath(folder.path()))), paris);

    QString error;
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"scaleway","region":"gra","bucket":"b"})", &error));
    EXPECT_EQ(error, QStringLiteral("scaleway has no region gra"));
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"ovhcloud","region":"fr-par","bucket":"b"})", &error));
    EXPECT_EQ(error, QStringLiteral("ovhcloud has no region fr-par"));
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"aws","region":"fr-par","bucket":"b"})"));
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"scaleway","region":"fr-par"})"));
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"scaleway","region":"fr-par","bucket":7})"));
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"scaleway","region":"fr-par","buck)"));
    const auto extra = StorageConfig::decoded(R"({"provider":"ionos","region":"eu-south-2","bucket":"bbb","extra":1})");
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra->provider().displayName, QStringLiteral("IONOS"));
    EXPECT_EQ(extra->region.displayName, QStringLiteral("Logroño, Spain"));
}

TEST(StorageConfig, buildsTheS3RepositoryEnvironment) {
    const StorageConfig config{*StorageProvider::scaleway().region(QStringLiteral("nl-ams")), QStringLiteral("my.bucket-1")};
    const auto environment = config.repository(QStringLiteral("AK"), QStringLiteral("SK"), QStringLiteral("pw")).environment();
    EXPECT_EQ(environment.value(QStringLiteral("RESTIC_REPOSITORY")), QStringLiteral("s3:https://s3.nl-ams.scw.cloud/my.bucket-1"));
    EXPECT_EQ(environment.value(QStringLiteral("AWS_DEFAULT_REGION")), QStringLiteral("nl-ams"));
    EXPECT_EQ(environment.value(QStringLiteral("AWS_ACCESS_KEY_ID")), QStringLiteral("AK"));
    EXPECT_EQ(environment.value(QStringLiteral("AWS_SECRET_ACCESS_KEY")), QStringLiteral("SK"));
    EXPECT_EQ(environment.value(QStringLiteral("RESTIC_PASSWORD")), QStringLiteral("pw"));
    EXPECT_EQ(environment.size(), 5);
    const auto overridden = config.repository({}, {}, {}, QStringLiteral("127.0.0.1:9443"));
    EXPECT_EQ(overridden.location, QStringLiteral("s3:https://127.0.0.1:9443/my.bucket-1"));
}

// Names S3 can never accept are refused before anything is contacted, and never stored or read back.
TEST(BucketName, followsTheS3NamingRules) {
    for (const char* good : {"abc", "backups", "my.bucket-1", "keldoran-test", "a1-b2.c3", "123",
                             "a23456789012345678901234567890123456789012345678901234567890123"}) {
        EXPECT_TRUE(isValidBucketName(QString::fromUtf8(good))) << good;
    }
    for (const char* bad : {"", "ab", "-rf", "a b", "x?y=1#z", "keldoran-sec/../weird-bucket", "a..b", "a.-b", "a-.b",
                            "Backups", "back_ups", "bucket-", ".bucket", "192.168.1.10", "caf\xc3\xa9s", "b\xef\xbf\xbd" "cd",
                            "a234567890123456789012345678901234567890123456789012345678901234"}) {
        EXPECT_FALSE(isValidBucketName(QString::fromUtf8(bad))) << bad;
    }
    QString error;
    EXPECT_FALSE(StorageConfig::decoded(R"({"provider":"scaleway","region":"fr-par","bucket":"keldoran-sec/../weird"})", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a valid S3 bucket name"))) << error.toStdString();
}
