// Runs under support/with-keyring: each test has its own session bus and unlocked keyring.
#include "model/settings_keys.h"
#include "platform/ini_settings_store.h"
#include "platform/keyring_secret_store.h"
#include "storage/configuration_step.h"
#include "storage/keychain.h"
#include "storage/storage_config.h"
#include "support/coroutines.h"
#include "support/keyring.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDirIterator>
#include <QTemporaryDir>

namespace keldoran {

using Account = Keychain::Account;

namespace {

bool throwsKeychainError(QCoro::Task<std::optional<QString>>&& task) {
    try {
        await(std::move(task));
    } catch (const KeychainError&) {
        return true;
    }
    return false;
}

bool throwsKeychainError(QCoro::Task<void>&& task) {
    try {
        await(std::move(task));
    } catch (const KeychainError&) {
        return true;
    }
    return false;
}

// The configuration step over a settings file and the session's keyring.
class ConfigurationStep : public ::testing::Test {
protected:
    ConfigurationStep()
        : settings(IniSettingsStore::standardPath(folder.path())) {}

    void storeEverything() {
        StorageConfig{*StorageProvider::scaleway().region(QStringLiteral("nl-ams")), QStringLiteral("bucket")}
            .save(settings);
        await(keychain.save(QStringLiteral("access"), Account::accessKey));
        await(keychain.save(QStringLiteral("secret"), Account::secretKey));
        await(keychain.save(QStringLiteral("password"), Account::repositoryPassword));
    }

    Configuration configure(const QString& resticDirectory = QCoreApplication::applicationDirPath(),
                            std::optional<QString> endpoint = std::nullopt) {
        return await(runConfigurationStep({&settings, &store, Keychain::serviceName(), resticDirectory,
                                           ResticProcess::Context::live(), endpoint}));
    }

    QTemporaryDir folder;
    IniSettingsStore settings;
    KeyringSecretStore store;
    Keychain keychain{store};
};

} // namespace

TEST(Keychain, storesReadsReplacesAndDeletesSecrets) {
    KeyringSecretStore store;
    const Keychain keychain(store);
    EXPECT_EQ(await(keychain.read(Account::accessKey)), std::nullopt);

    await(keychain.save(QStringLiteral("first"), Account::accessKey));
    await(keychain.save(QStringLiteral("second"), Account::accessKey));
    EXPECT_EQ(await(keychain.read(Account::accessKey)), QStringLiteral("second"));
    // One item under the documented attributes, found by the desktop's own tool.
    EXPECT_EQ(TestKeyring::secretTool({"lookup", "server", "app.keldoran.Keldoran", "user", "s3.accessKey"}),
              QStringLiteral("second"));
    const auto items = TestKeyring::secretTool(
        {"search", "--all", "server", "app.keldoran.Keldoran", "user", "s3.accessKey"});
    EXPECT_EQ(items.count(QStringLiteral("secret = ")), 1) << items.toStdString();

    const QString accented = QStringLiteral("pässwörd ✓ 密码");
    await(keychain.save(accented, Account::repositoryPassword));
    EXPECT_EQ(await(keychain.read(Account::repositoryPassword)), accented);

    await(keychain.save(QString(), Account::accessKey));
    EXPECT_EQ(await(keychain.read(Account::accessKey)), std::nullopt);
    await(keychain.remove(Account::secretKey));

    // An item stored by another tool under the same attributes is read.
    TestKeyring::secretTool({"store", "--label=Keldoran", "server", "app.keldoran.Keldoran", "user",
                             "s3.secretKey", "type", "plaintext"},
                            "from secret-tool");
    EXPECT_EQ(await(keychain.read(Account::secretKey)), QStringLiteral("from secret-tool"));
    // Saving over two such items, as two tools may leave, keeps exactly one with the new value.
    TestKeyring::secretTool(
        {"store", "--label=Other", "server", "app.keldoran.Keldoran", "user", "s3.secretKey"}, "older copy");
    await(keychain.save(QStringLiteral("replaced"), Account::secretKey));
    const auto secretKeys = TestKeyring::secretTool(
        {"search", "--all", "server", "app.keldoran.Keldoran", "user", "s3.secretKey"});
    EXPECT_EQ(secretKeys.count(QStringLiteral("secret = ")), 1) << secretKeys.toStdString();
    EXPECT_EQ(await(keychain.read(Account::secretKey)), QStringLiteral("replaced"));
    await(keychain.remove(Account::secretKey));
    EXPECT_EQ(await(keychain.read(Account::secretKey)), std::nullopt);
    EXPECT_EQ(Keychain::accountName(Account::repositoryPassword), QStringLiteral("repository.password"));
}

TEST(Keychain, aLockedKeyringIsUnreadableNotEmpty) {
    KeyringSecretStore store;
    const Keychain keychain(store);
    await(keychain.save(QStringLiteral("kept"), Account::accessKey));
    ASSERT_TRUE(TestKeyring::lockDefaultCollection());
    EXPECT_TRUE(throwsKeychainError(keychain.read(Account::accessKey)));
    EXPECT_TRUE(throwsKeychainError(keychain.read(Account::secretKey)));
    EXPECT_TRUE(throwsKeychainError(keychain.save(QStringLiteral("new"), Account::secretKey)));
}

TEST(Keychain, noSecretServiceIsAnErrorAndNeverAPlaintextFile) {
    KeyringSecretStore store;
    const Keychain keychain(store);
    ASSERT_TRUE(TestKeyring::stopSecretService());
    EXPECT_TRUE(throwsKeychainError(keychain.read(Account::accessKey)));
    EXPECT_TRUE(throwsKeychainError(keychain.save(QStringLiteral("must-not-leak"), Account::accessKey)));
    QDirIterator files(qEnvironmentVariable("HOME"), QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        file.open(QIODevice::ReadOnly);
        EXPECT_FALSE(file.readAll().contains("must-not-leak")) << file.fileName().toStdString();
    }
}

TEST_F(ConfigurationStep, needsSetupWithoutAStoredConfiguration) {
    EXPECT_EQ(configure().outcome, ConfigurationOutcome::needsSetup);
    // One that is stored but cannot be read is not taken for absent.
    settings.setValue(SettingsKeys::storageConfig,
                      QByteArray(R"({"provider":"scaleway","region":"gra","bucket":"bbb"})"));
    EXPECT_EQ(configure().outcome, ConfigurationOutcome::settingsUnreadable);
}

TEST_F(ConfigurationStep, configuresAResticRunnerFromTheStoredSetup) {
    storeEverything();
    const auto configuration = configure();
    ASSERT_EQ(configuration.outcome, ConfigurationOutcome::configured);
    EXPECT_EQ(configuration.provider->id, StorageProviderId::scaleway);
    const auto environment = configuration.restic->process().environment();
    EXPECT_EQ(environment.value(QStringLiteral("RESTIC_REPOSITORY")),
              QStringLiteral("s3:https://s3.nl-ams.scw.cloud/bucket"));
    EXPECT_EQ(environment.value(QStringLiteral("AWS_ACCESS_KEY_ID")), QStringLiteral("access"));
    EXPECT_EQ(environment.value(QStringLiteral("RESTIC_PASSWORD")), QStringLiteral("password"));
    EXPECT_EQ(configure(QCoreApplication::applicationDirPath(), QStringLiteral("127.0.0.1:9443"))
                  .restic->process()
                  .repository()
                  .location,
              QStringLiteral("s3:https://127.0.0.1:9443/bucket"));
}

TEST_F(ConfigurationStep, aMissingSecretOrResticIsCredentialsUnavailable) {
    storeEverything();
    await(keychain.remove(Account::repositoryPassword));
    EXPECT_EQ(configure().outcome, ConfigurationOutcome::credentialsUnavailable);
    storeEverything();
    QTemporaryDir withoutRestic;
    EXPECT_EQ(configure(withoutRestic.path()).outcome, ConfigurationOutcome::credentialsUnavailable);
}

TEST_F(ConfigurationStep, aLockedKeyringIsCredentialsUnavailable) {
    storeEverything();
    ASSERT_TRUE(TestKeyring::lockDefaultCollection());
    const auto configuration = configure();
    EXPECT_EQ(configuration.outcome, ConfigurationOutcome::credentialsUnavailable);
    EXPECT_FALSE(configuration.restic.has_value());
}

TEST_F(ConfigurationStep, noSecretServiceIsCredentialsUnavailable) {
    storeEverything();
    ASSERT_TRUE(TestKeyring::stopSecretService());
    EXPECT_EQ(configure().outcome, ConfigurationOutcome::credentialsUnavailable);
}

} // namespace keldoran
