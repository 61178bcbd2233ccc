#include "tray_item.h"

#include "app_actions.h"
#include "keldoran_mark.h"
#include "mark_animator.h"
#include "model/app_model.h"
#include "presentation/status_presentation.h"
#include "presentation/wording.h"

#include <QMenu>

namespace keldoran {

TrayItem::TrayItem(AppModel& model, AppActions& actions, MarkAnimator& mark, QObject* parent)
    : QObject(parent)
    , model_(model)
    , mark_(mark)
    , menu_(new QMenu)
    , colour_(KeldoranMark::panelColour(std::nullopt)) {
    actions.addRowsTo(menu_);
    icon_.setContextMenu(menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            emit popoverRequested(icon_.geometry());
        }
    });
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, [this] { emit balloonClicked(balloonKey_); });
    // Each new icon travels to the tray host; the spin is sent at most 12 times a second.
    frame_.setInterval(83);
    connect(&frame_, &QTimer::timeout, this, [this] {
        if (dirty_) {
            redraw();
        } else {
            frame_.stop();
        }
    });
    connect(&mark_, &MarkAnimator::changed, this, [this] {
        dirty_ = true;
        if (!frame_.isActive()) {
            redraw();
            frame_.start();
        }
    });
    const auto follow = [this] {
        icon_.setToolTip(
            tr("Keldoran — %1").arg(Wording::forPlatform(StatusPresentation::titleOf(model_.status()))));
    };
    connect(&model_, &AppModel::statusChanged, this, follow);
    follow();
    redraw();
}

TrayItem::~TrayItem() {
    delete menu_;
}

void TrayItem::show() {
    icon_.show();
}

void TrayItem::showBalloon(const DesktopNotification& notification) {
    balloonKey_ = notification.key;
    icon_.showMessage(notification.title, notification.body, QSystemTrayIcon::Information);
}

void TrayItem::setDarkPanel(std::optional<bool> dark) {
    colour_ = KeldoranMark::panelColour(dark);
    redraw();
}

void TrayItem::redraw() {
    dirty_ = false;
    icon_.setIcon(KeldoranMark::icon(mark_.shape(), mark_.rotation(), colour_));
}

} // namespace keldoran
