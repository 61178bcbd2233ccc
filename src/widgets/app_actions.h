#pragma once

#include "presentation/status_presentation.h"

#include <QAction>
#include <QMenu>
#include <QObject>

namespace keldoran {

class AppModel;

/// The menu rows, shared by the tray's context menu and the popover: back up now (the tray's only; the
/// popover has its button), pause (with its three choices) or resume, restore, preferences, update check
/// (only where the build has an update feed) and quit. Rows that open something only signal it; the
/// shell decides what opens.
class AppActions : public QObject {
    Q_OBJECT
public:
    /// `updateFeed`: the build checks for updates itself; a packaged build updates through its package
    /// manager and shows no update row.
    explicit AppActions(AppModel& model, bool updateFeed = false, QObject* parent = nullptr);

    QAction* backUpNow() { return &backUpNow_; }
    QAction* pause() { return &pause_; }
    QMenu* pauseChoices() { return &pauseChoices_; }
    QAction* resume() { return &resume_; }
    QAction* restore() { return &restore_; }
    QAction* preferences() { return &preferences_; }
    QAction* checkForUpdates() { return &checkForUpdates_; }
    QAction* quit() { return &quit_; }

    /// Fills `menu` with the rows, in order, "Back up now" first.
    void addRowsTo(QMenu* menu);

    /// Carries out what a status's primary button offered.
    void perform(StatusPresentation::Action action);

signals:
    void restoreRequested();
    void preferencesRequested();
    void updateCheckRequested();
    void quitRequested();

private:
    void update();

    AppModel& model_;
    QAction backUpNow_;
    QMenu pauseChoices_;
    QAction pause_;
    QAction resume_;
    QAction restore_;
    QAction preferences_;
    QAction checkForUpdates_;
    QAction quit_;
};

} // namespace keldoran
