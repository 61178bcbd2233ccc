#pragma once

#include "platform/desktop_preferences.h"
#include "setup/onboarding_model.h"
#include "widgets/app_actions.h"
#include "widgets/mark_animator.h"

#include <memory>
#include <optional>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace keldoran {

class AppModel;
class AppcastItem;
class FreedesktopNotifier;
class MenuBarApp;
class NotificationPolicy;
class OnboardingWindow;
class PreferencesWindow;
class RestoreWindow;
class StatusPopover;
class TrayItem;
class Workspace;

/// The windows and the tray of the menu-bar application, over its model: the launch sequence's window
/// steps, setup requests, the popover, the restore and preferences windows, and the quit row. Windows
/// are built when opened and freed when closed; closing one never quits.
class DesktopShell : public QObject {
    Q_OBJECT
public:
    DesktopShell(MenuBarApp& app, Workspace& workspace, QObject* parent = nullptr);
    ~DesktopShell() override;

    /// Shows the tray item (or, with no tray, the popover as a window), and the setup window unless
    /// setup was completed.
    void start();

    /// Opens the setup window at `step`, or brings the open one to the front.
    OnboardingWindow* showSetup(std::optional<OnboardingModel::Step> step = std::nullopt);
    RestoreWindow* showRestore();
    PreferencesWindow* showPreferences();
    /// The popover beside the tray icon, or as a window when there is no tray.
    StatusPopover* showPopover(const QRect& anchor = {});

    AppModel& model() { return model_; }
    NotificationPolicy& notifications() { return *notifications_; }
    AppActions& actions() { return actions_; }
    MarkAnimator& mark() { return mark_; }
    TrayItem* trayItem() { return tray_.get(); }
    StatusPopover* popover() const;

private:
    void ensureTray();
    void offerUpdate(const AppcastItem& item);
    void tell(const QString& text);

    MenuBarApp& app_;
    AppModel& model_;
    Workspace& workspace_;
    DesktopPreferences desktop_;
    MarkAnimator mark_;
    AppActions actions_;
    std::unique_ptr<TrayItem> tray_;
    std::unique_ptr<FreedesktopNotifier> notifier_;
    std::unique_ptr<NotificationPolicy> notifications_;
    bool updateCheckAsked_ = false;
    QTimer trayWatch_;
    QTimer memoryRelease_;
    QPointer<StatusPopover> popover_;
    QPointer<OnboardingWindow> setup_;
    QPointer<RestoreWindow> restore_;
    QPointer<PreferencesWindow> preferences_;
};

} // namespace keldoran
