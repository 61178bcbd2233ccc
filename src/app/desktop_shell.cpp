#include "desktop_shell.h"

#include "app/menu_bar_app.h"
#include "app/notification_policy.h"
#include "app/updater.h"
#include "backup/backup_controller.h"
#include "build_info.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/freed_memory.h"
#include "platform/freedesktop_notifier.h"
#include "widgets/preferences_window.h"
#include "widgets/restore/restore_window.h"
#include "widgets/setup/onboarding_window.h"
#include "widgets/status_popover.h"
#include "widgets/tray_item.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace keldoran {

namespace {

void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void centre(QWidget* window) {
    if (const auto* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
}

} // namespace

DesktopShell::DesktopShell(MenuBarApp& app, Workspace& workspace, QObject* parent)
    : QObject(parent)
    , app_(app)
    , model_(app.model())
    , workspace_(workspace)
    , actions_(model_, !Updater::configuredFeed().isEmpty()) {
    mark_.setReducedMotion(desktop_.reducedMotion());
    connect(&desktop_, &DesktopPreferences::reducedMotionChanged, this,
            [this] { mark_.setReducedMotion(desktop_.reducedMotion()); });
    const auto followStatus = [this] {
        mark_.setState(KeldoranMark::stateFor(model_.status()));
    };
    connect(&model_, &AppModel::statusChanged, this, followStatus);
    followStatus();
    // Once a burst of work (a refresh, an operation, a window) has settled, give its memory back.
    memoryRelease_.setSingleShot(true);
    memoryRelease_.setInterval(10'000);
    connect(&memoryRelease_, &QTimer::timeout, this, returnFreedMemory);
    connect(&model_, &AppModel::statusChanged, &memoryRelease_, qOverload<>(&QTimer::start));

    connect(&actions_, &AppActions::restoreRequested, this, &DesktopShell::showRestore);
    connect(&actions_, &AppActions::preferencesRequested, this, &DesktopShell::showPreferences);
    auto& updater = app_.updater();
    updater.setWorkspace(&workspace_);
    connect(&actions_, &AppActions::updateCheckRequested, this, [this, &updater] {
        updateCheckAsked_ = true;
        updater.checkForUpdates();
    });
    connect(&updater, &Updater::updateFound, this, &DesktopShell::offerUpdate);
    connect(&updater, &Updater::noUpdateFound, this, [this] {
        if (std::exchange(updateCheckAsked_, false)) {
            tell(tr("Keldoran is up to date."));
        }
    });
    connect(&updater, &Updater::checkAborted, this, [this](const QString& description) {
        if (std::exchange(updateCheckAsked_, false)) {
            //: %1 says why, in a sentence of its own.
            tell(tr("Couldn't check for updates. %1").arg(description));
        }
    });

    // Notifications go to the desktop's notification service, or as a balloon from the tray icon.
    notifier_ = std::make_unique<FreedesktopNotifier>();
    notifications_ = std::make_unique<NotificationPolicy>(model_, *notifier_);
    connect(notifier_.get(), &Notifier::unavailable, this, [this](const DesktopNotification& notification) {
        if (tray_) {
            tray_->showBalloon(notification);
        }
    });
    connect(&actions_, &AppActions::quitRequested, &app_, &MenuBarApp::requestQuit);
    // A row chosen in the popup popover closes it, as a menu would.
    const auto closePopup = [this] {
        if (tray_ && popover_) {
            popover_->close();
        }
    };
    for (auto* action : {actions_.resume(), actions_.restore(), actions_.preferences(),
                         actions_.checkForUpdates(), actions_.quit()}) {
        connect(action, &QAction::triggered, this, closePopup);
    }
    connect(actions_.pauseChoices(), &QMenu::triggered, this, closePopup);

    connect(&model_, &AppModel::setupRequested, this, [this] { showSetup(); });
    connect(&app_, &MenuBarApp::raiseRequested, this, [this] { showPopover(); });
    // A tray host may start after Keldoran at login.
    trayWatch_.setInterval(5000);
    connect(&trayWatch_, &QTimer::timeout, this, &DesktopShell::ensureTray);
}

DesktopShell::~DesktopShell() {
    delete popover_.data();
    delete setup_.data();
    delete restore_.data();
    delete preferences_.data();
}

StatusPopover* DesktopShell::popover() const {
    return popover_;
}

void DesktopShell::start() {
    ensureTray();
    if (!tray_) {
        showPopover();
        trayWatch_.start();
    }
    if (!model_.platform().settings->read(SettingsKeys::hasCompletedOnboarding)) {
        showSetup(OnboardingModel::Step::welcome);
    }
    notifications_->evaluate();
}

void DesktopShell::ensureTray() {
    if (tray_ || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    trayWatch_.stop();
    tray_ = std::make_unique<TrayItem>(model_, actions_, mark_);
    connect(tray_.get(), &TrayItem::popoverRequested, this, [this](const QRect& anchor) {
        // A second click on the icon closes the popover.
        if (popover_ && popover_->isVisible()) {
            popover_->close();
            return;
        }
        showPopover(anchor);
    });
    connect(tray_.get(), &TrayItem::balloonClicked, notifications_.get(), &NotificationPolicy::perform);
    // Panels follow the desktop's colour scheme on the desktops that say it.
    const auto followScheme = [this] {
        if (tray_) {
            tray_->setDarkPanel(desktop_.darkScheme());
        }
    };
    connect(&desktop_, &DesktopPreferences::darkSchemeChanged, tray_.get(), followScheme);
    followScheme();
    tray_->show();
    // The popover opened as a window while there was no tray stays until the user closes it.
}

void DesktopShell::offerUpdate(const AppcastItem& item) {
    updateCheckAsked_ = false;
    auto* offer = new QMessageBox(QMessageBox::Information, QStringLiteral("Keldoran"),
                                  tr("Keldoran %1 is available.").arg(item.displayVersionString));
    offer->setObjectName(QStringLiteral("updateOffer"));
    //: %1 is the version of Keldoran that runs now.
    offer->setInformativeText(
        tr("You have %1. The download page opens in your browser.").arg(QLatin1String(BuildInfo::version)));
    auto* download = offer->addButton(tr("Download"), QMessageBox::AcceptRole);
    offer->addButton(tr("Not now"), QMessageBox::RejectRole);
    offer->setAttribute(Qt::WA_DeleteOnClose);
    connect(offer, &QMessageBox::buttonClicked, this, [this, download, item](QAbstractButton* button) {
        if (button == static_cast<QAbstractButton*>(download)) {
            app_.updater().install(item);
        }
    });
    bringForward(offer);
}

void DesktopShell::tell(const QString& text) {
    auto* message = new QMessageBox(QMessageBox::Information, QStringLiteral("Keldoran"), text);
    message->setObjectName(QStringLiteral("updateMessage"));
    message->setAttribute(Qt::WA_DeleteOnClose);
    bringForward(message);
}

StatusPopover* DesktopShell::showPopover(const QRect& anchor) {
    if (!popover_) {
        popover_ = new StatusPopover(model_, actions_, mark_);
        popover_->setAttribute(Qt::WA_DeleteOnClose);
        connect(popover_, &QObject::destroyed, &memoryRelease_, qOverload<>(&QTimer::start));
    }
    if (tray_) {
        // Trays that speak StatusNotifierItem do not say where the icon is; the pointer that clicked it does.
        auto place = anchor.isValid() ? anchor : tray_->geometry();
        if (!place.isValid()) {
            place = QRect(QCursor::pos(), QSize(1, 1));
        }
        popover_->showAsPopup(place);
    } else {
        popover_->showAsWindow();
    }
    return popover_;
}

OnboardingWindow* DesktopShell::showSetup(std::optional<OnboardingModel::Step> step) {
    if (setup_) {
        bringForward(setup_);
        return setup_;
    }
    auto& platform = model_.platform();
    const auto provider = OnboardingModel::chooseDefaultProvider(*platform.settings, QLocale::system());
    auto onboarding = std::make_unique<OnboardingModel>(provider, *platform.clock, *platform.settings,
                                                        platform.folders.home);
    if (step && *step != onboarding->step()) {
        onboarding->setStep(*step);
    }
    auto* controller = &model_.controller();
    setup_ = new OnboardingWindow(model_, std::move(onboarding), workspace_,
                                  [controller] { return controller->fullDiskAccessProbe(); });
    setup_->setAttribute(Qt::WA_DeleteOnClose);
    connect(setup_, &QObject::destroyed, &memoryRelease_, qOverload<>(&QTimer::start));
    connect(setup_, &OnboardingWindow::completed, this, [this] {
        model_.platform().settings->setValue(SettingsKeys::hasCompletedOnboarding, true);
        if (setup_) {
            setup_->close();
        }
    });
    centre(setup_);
    bringForward(setup_);
    return setup_;
}

RestoreWindow* DesktopShell::showRestore() {
    if (!restore_) {
        restore_ = new RestoreWindow(model_, workspace_);
        restore_->setAttribute(Qt::WA_DeleteOnClose);
        connect(restore_, &QObject::destroyed, &memoryRelease_, qOverload<>(&QTimer::start));
        centre(restore_);
    }
    bringForward(restore_);
    return restore_;
}

PreferencesWindow* DesktopShell::showPreferences() {
    if (!preferences_) {
        preferences_ = new PreferencesWindow(model_);
        preferences_->setAttribute(Qt::WA_DeleteOnClose);
        connect(preferences_, &QObject::destroyed, &memoryRelease_, qOverload<>(&QTimer::start));
        connect(preferences_, &PreferencesWindow::quitRequested, &app_, &MenuBarApp::requestQuit);
        centre(preferences_);
    }
    bringForward(preferences_);
    return preferences_;
}

} // namespace keldoran
