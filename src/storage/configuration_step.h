#pragma once

#include "platform/secret_store.h"
#include "platform/settings_store.h"
#include "restic/restic.h"
#include "storage_provider.h"

#include <optional>

namespace keldoran {

/// The result of bringing a stored configuration into service.
enum class ConfigurationOutcome { configured, needsSetup, credentialsUnavailable, settingsUnreadable };

/// "configured", "needsSetup", "credentialsUnavailable" or "settingsUnreadable".
QString caseName(ConfigurationOutcome outcome);

/// What the configuration step reads: the stored configuration, the secrets and where restic is.
struct ConfigurationSources {
    const SettingsStore* settings = nullptr;
    SecretStore* secrets = nullptr;
    QString keychainService;
    /// The folder restic is looked up in: the application's own.
    QString resticDirectory;
    ResticProcess::Context processContext;
    /// Replaces every region's endpoint host when set (self-hosted S3 servers and tests).
    std::optional<QString> endpointOverride;
};

struct Configuration {
    ConfigurationOutcome outcome = ConfigurationOutcome::needsSetup;
    /// Present only when configured.
    std::optional<Restic> restic;
    std::optional<StorageProvider> provider;
};

/// No stored configuration: needsSetup. One that is stored but does not decode: settingsUnreadable,
/// logged with its reason. A configuration whose restic, secrets or secret store cannot be
/// had: credentialsUnavailable, never needsSetup, so the user unlocks and retries rather than starting
/// over. Otherwise a restic runner for the repository.
QCoro::Task<Configuration> runConfigurationStep(ConfigurationSources sources);

} // namespace keldoran
