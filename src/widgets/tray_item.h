#pragma once

#include "platform/notifier.h"

#include <optional>
#include <QColor>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

class QMenu;

namespace keldoran {

class AppActions;
class AppModel;
class MarkAnimator;

/// The status item in the desktop's tray: the mark in its current state, the status as tooltip, the
/// popover on a left click and the menu rows on a right click.
class TrayItem : public QObject {
    Q_OBJECT
public:
    TrayItem(AppModel& model, AppActions& actions, MarkAnimator& mark, QObject* parent = nullptr);
    ~TrayItem() override;

    void show();
    /// Where the icon is on screen, when the desktop says.
    QRect geometry() const { return icon_.geometry(); }
    /// The icon as last handed to the desktop.
    QIcon icon() const { return icon_.icon(); }
    /// The panel is dark or light, when the desktop says: the mark takes the colour that reads on it.
    void setDarkPanel(std::optional<bool> dark);
    /// A notification as a balloon from the icon, for desktops without a notification service.
    void showBalloon(const DesktopNotification& notification);

signals:
    void popoverRequested(QRect anchor);
    /// The balloon of the notification with this key was clicked.
    void balloonClicked(QString key);

private:
    void redraw();

    AppModel& model_;
    MarkAnimator& mark_;
    QSystemTrayIcon icon_;
    QMenu* menu_;
    QTimer frame_;
    bool dirty_ = false;
    QString balloonKey_;
    QColor colour_;
};

} // namespace keldoran
