#include "configuration_step.h"

#include "keychain.h"
#include "logging/log.h"
#include "model/settings_keys.h"
#include "storage_config.h"

namespace keldoran {

QString caseName(ConfigurationOutcome outcome) {
    switch (outcome) {
    case ConfigurationOutcome::configured:
        return QStringLiteral("configured");
    case ConfigurationOutcome::needsSetup:
        return QStringLiteral("needsSetup");
    case ConfigurationOutcome::settingsUnreadable:
        return QStringLiteral("settingsUnreadable");
    case ConfigurationOutcome::credentialsUnavailable:
        break;
    }
    return QStringLiteral("credentialsUnavailable");
}

namespace {
// The stored configuration; none, with the reason logged, when it is there but does not decode.
std::optional<StorageConfig> storedConfiguration(const SettingsStore& settings, bool* unreadable) {
    const auto blob = settings.dataValue(SettingsKeys::storageConfig);
    QString reason = QStringLiteral("not a byte array");
    auto config = blob ? StorageConfig::decoded(*blob, &reason) : std::nullopt;
    *unreadable = !config && settings.contains(SettingsKeys::storageConfig);
    if (*unreadable) {
        Log::lifecycle().error(
            QStringLiteral("settings: %1 unreadable: %2").arg(SettingsKeys::storageConfig, reason));
    }
    return config;
}

// Built outside the coroutine: g++ 12 crashed in ~Configuration on a co_return from inside the block.
Configuration notConfigured(bool unreadable) {
    return {unreadable ? ConfigurationOutcome::settingsUnreadable : ConfigurationOutcome::needsSetup,
            std::nullopt, std::nullopt};
}
} // namespace

QCoro::Task<Configuration> runConfigurationStep(ConfigurationSources sources) {
    bool unreadable = false;
    const auto config = storedConfiguration(*sources.settings, &unreadable);
    if (!config) {
        co_return notConfigured(unreadable);
    }
    const auto binary = ResticBinary::locate(sources.resticDirectory);
    const Keychain keychain(*sources.secrets, sources.keychainService);
    QStringList secrets;
    bool readable = true;
    for (auto account : {Keychain::Account::accessKey, Keychain::Account::secretKey,
                         Keychain::Account::repositoryPassword}) {
        try {
            const auto secret = co_await keychain.read(account);
            secrets.append(secret.value_or(QString()));
            readable = readable && secret.has_value();
        } catch (const KeychainError& error) {
            Log::lifecycle().error(QStringLiteral("keyring: %1 unreadable: %2")
                                       .arg(Keychain::accountName(account), error.description()));
            readable = false;
            break;
        }
    }
    if (!binary || !readable) {
        co_return Configuration{ConfigurationOutcome::credentialsUnavailable, std::nullopt, std::nullopt};
    }
    const auto repository = config->repository(secrets[0], secrets[1], secrets[2], sources.endpointOverride);
    co_return Configuration{ConfigurationOutcome::configured,
                            Restic(ResticProcess(*binary, repository, sources.processContext)),
                            config->provider()};
}

} // namespace keldoran
