#pragma once

#include <optional>
#include <qcoro/qcorotask.h>
#include <QString>

namespace keldoran {

/// The operating system's registrations that keep protection running: the login item, which starts the
/// tray application at login, and the background agent, started periodically with KELDORAN_AGENT=1.
/// Register and unregister answer the failure's description, or none.
class ServiceRegistration {
public:
    enum class Status { notRegistered, enabled, requiresApproval, notFound };

    virtual ~ServiceRegistration() = default;

    virtual Status loginItemStatus() = 0;
    virtual std::optional<QString> registerLoginItem() = 0;
    virtual std::optional<QString> unregisterLoginItem() = 0;

    virtual QCoro::Task<Status> agentStatus() = 0;
    virtual QCoro::Task<std::optional<QString>> registerAgent() = 0;
    virtual QCoro::Task<std::optional<QString>> unregisterAgent() = 0;

    /// What differs between a registered login item or agent and what registering it now would write
    /// (a moved install, another program); none when it matches or nothing is registered.
    virtual std::optional<QString> loginItemDifference() = 0;
    virtual std::optional<QString> agentDifference() = 0;
};

/// The status as log lines show it: "enabled", "notRegistered", "requiresApproval", "notFound".
QString statusName(ServiceRegistration::Status status);

} // namespace keldoran
