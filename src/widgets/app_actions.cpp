#include "app_actions.h"

#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "symbols.h"

namespace keldoran {

AppActions::AppActions(AppModel& model, bool updateFeed, QObject* parent)
    : QObject(parent)
    , model_(model)
    , backUpNow_(Symbols::icon(QStringLiteral("arrow.clockwise")), tr("Back up now"))
    , pause_(Symbols::icon(QStringLiteral("pause.fill")), tr("Pause protection…"))
    , resume_(Symbols::icon(QStringLiteral("play.fill")), tr("Resume protection"))
    , restore_(Symbols::icon(QStringLiteral("clock.arrow.circlepath")), tr("Restore files…"))
    , preferences_(Symbols::icon(QStringLiteral("slider.horizontal.3")), tr("Preferences…"))
    , checkForUpdates_(Symbols::icon(QStringLiteral("arrow.down.circle")), tr("Check for updates…"))
    , quit_(Symbols::icon(QStringLiteral("power")), tr("Quit Keldoran")) {
    const auto choose = [this](AppModel::PauseChoice choice) {
        return [this, choice] {
            model_.pause(choice, model_.platform().clock->now());
        };
    };
    connect(pauseChoices_.addAction(tr("For 1 hour")), &QAction::triggered, this,
            choose(AppModel::PauseChoice::oneHour));
    connect(pauseChoices_.addAction(tr("Until tomorrow")), &QAction::triggered, this,
            choose(AppModel::PauseChoice::untilTomorrow));
    pauseChoices_.addSeparator();
    connect(pauseChoices_.addAction(tr("Indefinitely")), &QAction::triggered, this,
            choose(AppModel::PauseChoice::indefinitely));
    pause_.setMenu(&pauseChoices_);

    checkForUpdates_.setVisible(updateFeed);
    connect(&backUpNow_, &QAction::triggered, &model_, &AppModel::backUpNow);
    connect(&resume_, &QAction::triggered, &model_, &AppModel::resume);
    connect(&restore_, &QAction::triggered, this, &AppActions::restoreRequested);
    connect(&preferences_, &QAction::triggered, this, &AppActions::preferencesRequested);
    connect(&checkForUpdates_, &QAction::triggered, this, &AppActions::updateCheckRequested);
    connect(&quit_, &QAction::triggered, this, &AppActions::quitRequested);

    connect(&model_, &AppModel::statusChanged, this, &AppActions::update);
    connect(&model_, &AppModel::isPausedChanged, this, &AppActions::update);
    update();
}

void AppActions::addRowsTo(QMenu* menu) {
    menu->addAction(&backUpNow_);
    menu->addAction(&pause_);
    menu->addAction(&resume_);
    menu->addAction(&restore_);
    menu->addAction(&preferences_);
    menu->addAction(&checkForUpdates_);
    menu->addSeparator();
    menu->addAction(&quit_);
}

void AppActions::update() {
    // Pausing means nothing before Keldoran is set up or while it cannot read its credentials.
    const auto kind = model_.status().kind;
    const bool unusable =
        kind == AppStatus::Kind::needsSetup || kind == AppStatus::Kind::credentialsUnavailable;
    backUpNow_.setVisible(!unusable);
    backUpNow_.setEnabled(kind != AppStatus::Kind::backingUp && kind != AppStatus::Kind::offline);
    pause_.setVisible(!unusable && !model_.isPaused());
    resume_.setVisible(!unusable && model_.isPaused());
}

void AppActions::perform(StatusPresentation::Action action) {
    using Action = StatusPresentation::Action;
    auto& controller = model_.controller();
    switch (action) {
    case Action::cancel:
        controller.cancelCurrentOperation();
        break;
    case Action::backUpNow:
        model_.backUpNow();
        break;
    case Action::setUp:
        model_.requestSetup();
        break;
    case Action::readCredentialsAgain:
        controller.bootstrapAgain();
        break;
    case Action::checkFolderAccess:
        controller.checkFullDiskAccess();
        break;
    case Action::resume:
        model_.resume();
        break;
    case Action::none:
        break;
    }
}

} // namespace keldoran
