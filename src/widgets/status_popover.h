#pragma once

#include "presentation/status_presentation.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace keldoran {

class AppActions;
class AppModel;
class MarkAnimator;

/// The main face of Keldoran: status, one primary action, the next backup, the last backup's warnings,
/// the integrity check, the activity figures and recent backups, and the menu rows. Everything is read
/// from the model; the only state of its own is whether the warnings' details are shown.
class StatusPopover : public QWidget {
    Q_OBJECT
public:
    StatusPopover(AppModel& model, AppActions& actions, MarkAnimator& mark, QWidget* parent = nullptr);

    /// Shows it as a popup beside `anchor` (the tray icon's place), or as an ordinary window when the
    /// desktop has no tray.
    void showAsPopup(const QRect& anchor);
    void showAsWindow();

    /// Rebuilds every text from the model; runs on each change while shown.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildHeader(QVBoxLayout* layout);
    void buildActionRows(QVBoxLayout* layout, AppActions& actions);
    void buildDetails(QVBoxLayout* layout);
    /// Refreshes on every change of what it shows.
    void followModel();
    void scheduleRefresh();
    QWidget* buildActivity();
    void refreshActivity();
    void fitHeight();

    AppModel& model_;
    MarkAnimator& mark_;
    QTimer refreshSoon_;
    QTimer clockTick_;
    QElapsedTimer lastRefresh_;
    bool detailsShown_ = false;
    StatusPresentation::Action shownAction_ = StatusPresentation::Action::none;

    QLabel* title_;
    QLabel* subtitle_;
    QProgressBar* progress_;
    QLabel* progressDetail_;
    QPushButton* primaryAction_;
    QLabel* nextBackup_;
    QWidget* registration_;
    QLabel* registrationWarning_;
    QToolButton* detailsToggle_;
    QWidget* details_;
    QVBoxLayout* detailLines_;
    QLabel* checkIcon_;
    QLabel* check_;
    QLabel* checkDetail_;
    QToolButton* activityToggle_;
    QWidget* activity_;
    QLabel* protectedCaption_;
    QLabel* protectedValue_;
    QLabel* protectedDetail_;
    QLabel* storageCaption_;
    QLabel* storageValue_;
    QLabel* storageDetail_;
    QLabel* changeCaption_;
    QLabel* changeValue_;
    QLabel* changeDetail_;
    QLabel* lastRestore_;
    QLabel* recentCaption_;
    QVBoxLayout* recentRows_;
};

} // namespace keldoran
