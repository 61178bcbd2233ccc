#include "registration.h"

#include "log.h"

QCoro::Task<void> registerBackgroundAgent(ServiceRegistration* services) {
    if (co_await services->agentStatus() == ServiceRegistration::Status::enabled) {
        co_return;
    }
    const auto error = co_await services->registerAgent();
    const auto status = statusName(co_await services->agentStatus());
    if (error) {
        Log::lifecycle().error(QStringLiteral("background agent registration failed: %1 (status: %2)").arg(*error, status));
    } else {
        Log::lifecycle().info(QStringLiteral("background agent registered (status: %1)").arg(status));
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
        Log::lifecycle().error(QStringLiteral("login item %1 failed: %2 (status: %3)").arg(verb, *error, statusName(status)));
    } else {
        Log::lifecycle().info(QStringLiteral("login item %1ed (status: %2)").arg(verb, statusName(status)));
    }
    return status == ServiceRegistration::Status::enabled;
}
