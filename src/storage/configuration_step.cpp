#include "configuration_step.h"

#include "app/log.h"
#include "keychain.h"
#include "storage_config.h"

QString caseName(ConfigurationOutcome outcome) {
    switch (outcome) {
    case ConfigurationOutcome::configured: return QStringLiteral("configured");
    case ConfigurationOutcome::needsSetup: return QStringLiteral("needsSetup");
    case ConfigurationOutcome::credentialsUnavailable: break;
    }
    return QStringLiteral("credentialsUnavailable");
}

QCoro::Task<Configuration> runConfigurationStep(ConfigurationSources sources) {
    const auto config = StorageConfig::load(*sources.settings);
    if (!config) {
        co_return Configuration{ConfigurationOutcome::needsSetup, std::nullopt, std::nullopt};
    }
    const auto binary = ResticBinary::locate(sources.resticDirectory);
    const Keychain keychain(*sources.secrets, sources.keychainService);
    QStringList secrets;
    bool readable = true;
    for (auto account : {Keychain::Account::accessKey, Keychain::Account::secretKey, Keychain::Account::repositoryPassword}) {
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
                            Restic(ResticProcess(*binary, repository, sources.processContext)), config->provider()};
}
