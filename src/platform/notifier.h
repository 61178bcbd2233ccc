#pragma once

#include <optional>
#include <QObject>
#include <QString>

namespace keldoran {

/// A desktop notification. `key` names what it is about; a later one with the same key replaces it.
struct DesktopNotification {
    QString key;
    QString title;
    QString body;
    /// The one action offered ("Try again", "Retry"), if any.
    std::optional<QString> action;
    bool operator==(const DesktopNotification&) const = default;
};

/// Shows notifications on the desktop and reports when the user chose a notification's action.
class Notifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void show(const DesktopNotification& notification) = 0;

signals:
    /// The action of the notification with this key was chosen.
    void actionInvoked(QString key);
    /// The desktop has no notification service: the notification was not shown.
    void unavailable(DesktopNotification notification);
};

} // namespace keldoran
