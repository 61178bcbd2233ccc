#pragma once

#include "service_registration.h"

namespace keldoran {

/// The login item as the XDG autostart entry $XDG_CONFIG_HOME/autostart/app.keldoran.Keldoran.desktop
/// (enabled when it exists and is not Hidden=true), and the agent as the systemd user units
/// app.keldoran.Keldoran.agent.service (oneshot) and .timer (every 15 minutes, catching up on missed
/// runs) in $XDG_CONFIG_HOME/systemd/user, enabled through systemd's D-Bus API on the session bus.
/// Both name `executablePath`, the tray application's executable.
class XdgServiceRegistration : public ServiceRegistration {
public:
    XdgServiceRegistration(QString configurationFolder, QString executablePath);

    static constexpr const char* timerUnit = "app.keldoran.Keldoran.agent.timer";
    static constexpr const char* serviceUnit = "app.keldoran.Keldoran.agent.service";

    QString autostartPath() const;
    QString unitFolder() const;

    Status loginItemStatus() override;
    std::optional<QString> registerLoginItem() override;
    std::optional<QString> unregisterLoginItem() override;

    QCoro::Task<Status> agentStatus() override;
    QCoro::Task<std::optional<QString>> registerAgent() override;
    QCoro::Task<std::optional<QString>> unregisterAgent() override;

    std::optional<QString> loginItemDifference() override;
    std::optional<QString> agentDifference() override;

private:
    QString autostartContent() const;
    QString serviceContent() const;
    QString servicePath() const;
    QString timerPath() const;

    QString configurationFolder_;
    QString executablePath_;
};

} // namespace keldoran
