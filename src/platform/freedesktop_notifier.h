#pragma once

#include "notifier.h"

#include <QDBusConnection>
#include <QHash>

namespace keldoran {

/// Notifications through the desktop's notification server (org.freedesktop.Notifications on the session
/// bus). Without one, each notification is reported unavailable so the caller can fall back.
class FreedesktopNotifier : public Notifier {
    Q_OBJECT
public:
    explicit FreedesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 QObject* parent = nullptr);
    void show(const DesktopNotification& notification) override;

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    QDBusConnection bus_;
    // Server ids of the notifications still shown, by key: a new one replaces the old.
    QHash<QString, uint> idByKey_;
};

} // namespace keldoran
