#pragma once

#include "platform/service_registration.h"

#include <qcoro/qcorotask.h>

namespace keldoran {

/// Registers the background agent unless it is enabled already; a failure is logged and answered.
QCoro::Task<std::optional<QString>> registerBackgroundAgent(ServiceRegistration* services);
/// Rewrites a registered login item or agent whose files differ from what they should be, logging what
/// it repaired; registrations the user turned off stay off.
QCoro::Task<void> repairRegistrations(ServiceRegistration* services);
/// Unregisters the background agent; a failure is ignored.
QCoro::Task<void> unregisterBackgroundAgent(ServiceRegistration* services);
/// Turns the login item on or off and answers whether it is enabled afterwards, success or not.
bool setLoginItemEnabled(ServiceRegistration& services, bool enabled);

} // namespace keldoran
