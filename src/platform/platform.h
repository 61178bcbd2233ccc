#pragma once

#include "clock.h"
#include "network_source.h"
#include "power_source.h"
#include "secret_store.h"
#include "service_registration.h"
#include "settings_store.h"
#include "user_folders.h"
#include "wake_source.h"

#include <memory>
#include <QProcessEnvironment>
#include <stop_token>

namespace keldoran {

class ResticLauncher;

/// Everything the core reaches of the operating system. The application uses the live facilities;
/// tests put fakes or temporary real ones in their place. The referenced objects outlive every user.
struct Platform {
    Clock* clock = nullptr;
    SettingsStore* settings = nullptr;
    SecretStore* secrets = nullptr;
    PowerSource* power = nullptr;
    NetworkSource* network = nullptr;
    WakeSource* wake = nullptr;
    ServiceRegistration* services = nullptr;
    UserFolders folders;
    /// The folder restic is looked up in: the application's own, never PATH.
    QString resticDirectory;
    /// The environment restic inherits; KELDORAN_S3_ENDPOINT is read from it.
    QProcessEnvironment environment;
    /// Requested when the program is told to stop (SIGINT, SIGTERM) or gives up waiting: every restic it
    /// runs is then interrupted once and waited for.
    std::stop_token interruption;
    /// A stand-in for restic's child processes (simulations); none runs the real restic.
    ResticLauncher* resticLauncher = nullptr;

    /// KELDORAN_S3_ENDPOINT (host[:port]) when set: it replaces every region's endpoint host.
    std::optional<QString> endpointOverride() const;
};

/// Owns the live facilities of this machine and the Platform that points at them.
class LivePlatform {
public:
    LivePlatform();
    ~LivePlatform();
    Platform& platform() { return platform_; }

private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SecretStore> secrets_;
    std::unique_ptr<PowerSource> power_;
    std::unique_ptr<NetworkSource> network_;
    std::unique_ptr<WakeSource> wake_;
    std::unique_ptr<ServiceRegistration> services_;
    Platform platform_;
};

} // namespace keldoran
