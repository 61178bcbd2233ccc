#include "platform.h"

#include "ini_settings_store.h"
#include "keyring_secret_store.h"
#include "xdg_service_registration.h"

#include <QCoreApplication>

namespace keldoran {

std::optional<QString> Platform::endpointOverride() const {
    const auto endpoint = environment.value(QStringLiteral("KELDORAN_S3_ENDPOINT"));
    return endpoint.isEmpty() ? std::nullopt : std::optional<QString>(endpoint);
}

LivePlatform::LivePlatform() {
    platform_.folders = UserFolders::live();
    platform_.environment = QProcessEnvironment::systemEnvironment();
    platform_.resticDirectory = QCoreApplication::applicationDirPath();
    clock_ = std::make_unique<SystemClock>();
    settings_ =
        std::make_unique<IniSettingsStore>(IniSettingsStore::standardPath(platform_.folders.configuration));
    secrets_ = std::make_unique<KeyringSecretStore>();
    power_ = PowerSource::live();
    network_ = NetworkSource::live();
    wake_ = WakeSource::live();
    // Registrations always name the tray application, which is installed beside keldoranctl.
    services_ = std::make_unique<XdgServiceRegistration>(platform_.folders.configuration,
                                                         QCoreApplication::applicationDirPath() +
                                                             QStringLiteral("/keldoran"));
    platform_.clock = clock_.get();
    platform_.settings = settings_.get();
    platform_.secrets = secrets_.get();
    platform_.power = power_.get();
    platform_.network = network_.get();
    platform_.wake = wake_.get();
    platform_.services = services_.get();
}

LivePlatform::~LivePlatform() = default;

} // namespace keldoran
