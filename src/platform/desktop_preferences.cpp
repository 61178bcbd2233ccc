#include "desktop_preferences.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace keldoran {

DesktopPreferences::DesktopPreferences(QObject* parent)
    : QObject(parent) {
    read(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations"));
    read(QStringLiteral("org.kde.kdeglobals.KDE"), QStringLiteral("AnimationDurationFactor"));
    read(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"));
}

void DesktopPreferences::read(const QString& nameSpace, const QString& key) {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    auto message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    message << nameSpace << key;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *call;
        if (reply.isError()) {
            return; // no portal, or the key is unknown to this desktop
        }
        // The portal wraps the value in a second variant.
        auto value = reply.value().variant();
        if (value.canConvert<QDBusVariant>()) {
            value = value.value<QDBusVariant>().variant();
        }
        bool numeric = false;
        const double factor = value.toDouble(&numeric);
        if (key == QLatin1String("color-scheme")) {
            // 1 prefers dark, 2 prefers light, 0 says nothing.
            if (numeric && (factor == 1 || factor == 2)) {
                darkScheme_ = factor == 1;
                emit darkSchemeChanged();
            }
            return;
        }
        if (key == QLatin1String("enable-animations")
                ? value.metaType().id() == QMetaType::Bool && !value.toBool()
                : numeric && factor == 0.0) {
            setReducedMotion(true);
        }
    });
}

void DesktopPreferences::setReducedMotion(bool reduced) {
    if (reduced != reducedMotion_) {
        reducedMotion_ = reduced;
        emit reducedMotionChanged();
    }
}

} // namespace keldoran
