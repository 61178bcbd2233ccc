#include "test_platform.h"

#include "coroutines.h"
#include "fake_restic.h"
#include "storage/keychain.h"
#include "storage/storage_config.h"

#include <QCoreApplication>
#include <QDir>

namespace keldoran {

TestPlatform::TestPlatform() {
    const auto root = root_.path();
    for (const char* folder : {"home", "state", "cache", "config", "run"}) {
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    }
    settings_ =
        std::make_unique<IniSettingsStore>(IniSettingsStore::standardPath(root + QStringLiteral("/config")));
    platform_.clock = &clock;
    platform_.settings = settings_.get();
    platform_.secrets = &secrets;
    platform_.power = &power;
    platform_.network = &network;
    platform_.wake = &wake;
    platform_.services = &services;
    platform_.folders = UserFolders{root + QStringLiteral("/home"), root + QStringLiteral("/state"),
                                    root + QStringLiteral("/cache"), root + QStringLiteral("/config"),
                                    root + QStringLiteral("/run")};
    platform_.resticDirectory = QCoreApplication::applicationDirPath();
    platform_.environment = QProcessEnvironment::systemEnvironment();
}

void TestPlatform::storeConfiguration(const QString& bucket, const QString& password,
                                      const QString& accessKey, const QString& secretKey) {
    StorageConfig{StorageProvider::scaleway().defaultRegion, bucket}.save(*settings_);
    const Keychain keychain(secrets);
    await(keychain.save(accessKey, Keychain::Account::accessKey));
    await(keychain.save(secretKey, Keychain::Account::secretKey));
    await(keychain.save(password, Keychain::Account::repositoryPassword));
}

void TestPlatform::useFakeRestic(const FakeRestic& fake) {
    platform_.resticDirectory = fake.binaryDirectory();
    platform_.environment.insert(QStringLiteral("FAKE_RESTIC_DIR"), fake.planDirectory());
}

QProcessEnvironment TestPlatform::processEnvironment(QProcessEnvironment base) const {
    const auto& folders = platform_.folders;
    base.insert(QStringLiteral("HOME"), folders.home);
    base.insert(QStringLiteral("XDG_STATE_HOME"), folders.library);
    base.insert(QStringLiteral("XDG_CACHE_HOME"), folders.caches);
    base.insert(QStringLiteral("XDG_CONFIG_HOME"), folders.configuration);
    base.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.runtime);
    return base;
}

} // namespace keldoran
