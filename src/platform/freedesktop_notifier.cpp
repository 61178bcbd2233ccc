#include "freedesktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace keldoran {

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");
} // namespace

FreedesktopNotifier::FreedesktopNotifier(QDBusConnection bus, QObject* parent)
    : Notifier(parent)
    , bus_(std::move(bus)) {
    bus_.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onClosed(uint, uint)));
}

void FreedesktopNotifier::show(const DesktopNotification& notification) {
    if (!bus_.isConnected()) {
        emit unavailable(notification);
        return;
    }
    QStringList actions;
    if (notification.action) {
        // "default" is also what a click on the notification itself invokes.
        actions << defaultAction << *notification.action;
    }
    auto call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    call << QStringLiteral("Keldoran") << idByKey_.value(notification.key, 0u)
         << QStringLiteral("app.keldoran.Keldoran") << notification.title << notification.body << actions
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("app.keldoran.Keldoran")}} << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, notification] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            emit unavailable(notification);
            return;
        }
        idByKey_.insert(notification.key, reply.value());
    });
}

void FreedesktopNotifier::onActionInvoked(uint id, const QString& action) {
    if (action == defaultAction) {
        if (const auto key = idByKey_.key(id); !key.isEmpty()) {
            emit actionInvoked(key);
        }
    }
}

void FreedesktopNotifier::onClosed(uint id, uint) {
    if (const auto key = idByKey_.key(id); !key.isEmpty()) {
        idByKey_.remove(key);
    }
}

} // namespace keldoran
