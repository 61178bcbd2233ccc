#pragma once

#include "model/app_model.h"

#include <optional>
#include <QCoreApplication>
#include <QStringList>

namespace keldoran {

/// What the status popover shows, as text: every title, subtitle, action and line, chosen from the
/// model's state. The same text serves `keldoranctl status`. Sentences naming macOS arrive here in the
/// platform's words.
struct StatusPresentation {
    Q_DECLARE_TR_FUNCTIONS(StatusPresentation)

public:
    /// What the primary button does; `AppActions::perform` carries it out.
    enum class Action { cancel, backUpNow, setUp, readCredentialsAgain, checkFolderAccess, resume, none };

    QString title;
    QString subtitle;
    QString primaryAction;
    Action action = Action::none;
    bool actionEnabled = true;
    /// While backing up: how far, 0 to 1, for the progress bar.
    std::optional<double> progress;
    /// While backing up, under the bytes: "416 of 427 files".
    std::optional<QString> progressDetail;
    std::optional<QString> nextBackup;
    /// At most five warnings, then "and N more".
    QStringList warnings;
    /// The path each warning line names, as written in it ("~/Projects/…"); empty when none. A screen
    /// too narrow for the whole path elides it there.
    QStringList warningPaths;
    QStringList guidance;
    /// Why backups do not run while Keldoran is closed, when registering them failed.
    std::optional<QString> registrationWarning;
    QString check;
    std::optional<QString> checkDetail;

    /// `operationRunning`: a backup or restore is in the controller's hands (the action is "Cancel").
    static StatusPresentation of(const AppModel& model, bool operationRunning, bool fullDiskAccessGranted,
                                 const QString& home, const QDateTime& now);
    /// Of the model as it is now: the home folder is probed only when a warning's guidance depends on it.
    static StatusPresentation current(AppModel& model);

    /// Everything shown, a line each, with the protected and stored sizes: what `keldoranctl status` prints.
    QStringList lines(const AppModel& model) const;

    static QString titleOf(const AppStatus& status);
    static QString warningLine(const BackupWarning& warning, const QString& home);
    /// "Backed up 2 hours ago", or "Not backed up yet".
    static QString lastBackupLine(const std::optional<QDateTime>& lastBackup, const QDateTime& now);
};

} // namespace keldoran
