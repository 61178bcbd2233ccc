#pragma once

#include "fake_platform.h"
#include "platform/ini_settings_store.h"
#include "platform/keyring_secret_store.h"

#include <QTemporaryDir>

namespace keldoran {

class FakeRestic;

/// A platform for one test: a temporary home folder and XDG folders, a real settings file, the session's
/// (private, throwaway) keyring, and fakes for time, power, network, wake and service registration.
class TestPlatform {
public:
    TestPlatform();

    Platform& platform() { return platform_; }
    const Platform& platform() const { return platform_; }
    QString home() const { return platform_.folders.home; }
    IniSettingsStore& settings() { return *settings_; }

    /// Stores a storage configuration and its three secrets, as a finished setup would.
    void storeConfiguration(const QString& bucket = QStringLiteral("backups"),
                            const QString& password = QStringLiteral("test-password-1"),
                            const QString& accessKey = QStringLiteral("S3RVER"),
                            const QString& secretKey = QStringLiteral("S3RVER"));
    /// `base` pointed at this platform's home and XDG folders, for a Keldoran process the test starts.
    QProcessEnvironment processEnvironment(QProcessEnvironment base) const;
    /// Runs the scripted fake restic instead of the real one.
    void useFakeRestic(const FakeRestic& fake);

    FakeClock clock;
    FakePowerSource power;
    FakeNetworkSource network;
    FakeWakeSource wake;
    FakeServiceRegistration services;
    KeyringSecretStore secrets;

private:
    QTemporaryDir root_;
    std::unique_ptr<IniSettingsStore> settings_;
    Platform platform_;
};

} // namespace keldoran
