#include "registration.h"

#include "logging/log.h"

#include <QCoreApplication>

namespace keldoran {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Registration)
};

} // namespace

QCoro::Task<std::optional<QString>> registerBackgroundAgent(ServiceRegistration* services) {
    const auto before = co_await services->agentStatus();
    if (before == ServiceRegistration::Status::enabled) {
        co_return std::nullopt;
    }
    const auto error = co_await services->registerAgent();
    const auto after = co_await services->agentStatus();
    const auto status = statusName(after);
    if (error) {
        Log::lifecycle().error(
            QStringLiteral("background agent registration failed: %1 (status: %2)").arg(*error, status));
    } else {
        Log::lifecycle().info(QStringLiteral("background agent registered (status: %1)").arg(status));
    }
    if (!error && after != ServiceRegistration::Status::enabled) {
        co_return Text::tr("systemd did not enable the timer (status: %1)").arg(status);
    }
    co_return error;
}

QCoro::Task<void> repairRegistrations(ServiceRegistration* services) {
    if (const auto difference = services->loginItemDifference()) {
        const auto error = services->registerLoginItem();
        Log::lifecycle().info(QStringLiteral("login item repaired (%1)%2")
                                  .arg(*difference, error ? QStringLiteral(": ") + *error : QString()));
    }
    if (const auto difference = services->agentDifference()) {
        const auto error = co_await services->registerAgent();
        Log::lifecycle().info(QStringLiteral("background agent registration repaired (%1)%2")
                                  .arg(*difference, error ? QStringLiteral(": ") + *error : QString()));
    }
}

QCoro::Task<void> unregisterBackgroundAgent(ServiceRegistration* services) {
    co_await services->unregisterAgent();
}

bool setLoginItemEnabled(ServiceRegistration& services, bool enabled) {
    const auto error = enabled ? services.registerLoginItem() : services.unregisterLoginItem();
    const auto status = services.loginItemStatus();
    const auto verb = enabled ? QStringLiteral("register") : QStringLiteral("unregister");
    if (error) {
        Log::lifecycle().error(
            QStringLiteral("login item %1 failed: %2 (status: %3)").arg(verb, *error, statusName(status)));
    } else {
        Log::lifecycle().info(QStringLiteral("login item %1ed (status: %2)").arg(verb, statusName(status)));
    }
    return status == ServiceRegistration::Status::enabled;
}

} // namespace keldoran
