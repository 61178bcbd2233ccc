#include "status_presentation.h"

#include "backup/backup_controller.h"
#include "formatters.h"
#include "wording.h"

#include <algorithm>

namespace keldoran {

namespace {

using Kind = AppStatus::Kind;

QString abbreviated(const QString& path, const QString& home) {
    if (path == home || path.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + path.mid(home.size());
    }
    return path;
}

std::optional<QString> fileCountOf(const BackupProgress& progress) {
    if (!progress.filesDone || !progress.totalFiles || *progress.totalFiles == 0) {
        return std::nullopt;
    }
    return StatusPresentation::tr("%1 of %Ln files", nullptr, int(*progress.totalFiles))
        .arg(Formatters::count(*progress.filesDone));
}

QString subtitleOf(const AppModel& model, const AppStatus& status, const QDateTime& now) {
    switch (status.kind) {
    case Kind::backingUp: {
        if (!status.message.isEmpty()) {
            return status.message;
        }
        // Bytes first: a few large files leave the file count standing still for most of the run.
        const auto& progress = status.progress;
        if (progress.totalBytes.value_or(0) > 0) {
            auto text = StatusPresentation::tr("%1 of %2")
                            .arg(Formatters::byteCount(progress.bytesDone.value_or(0)),
                                 Formatters::byteCount(*progress.totalBytes));
            if (progress.secondsRemaining) {
                text += QStringLiteral(" · ") + Formatters::timeLeft(*progress.secondsRemaining);
            }
            return text;
        }
        if (const auto files = fileCountOf(progress)) {
            return *files;
        }
        return StatusPresentation::tr("%1% complete").arg(qint64(progress.fraction * 100));
    }
    case Kind::error:
        return status.message;
    case Kind::credentialsUnavailable:
        return StatusPresentation::tr(
            "Your Mac's Keychain may still be locked — try Retry, or unlock it and try again.");
    case Kind::fullDiskAccessRequired:
        return StatusPresentation::tr(
            "Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused "
            "until it's granted.");
    case Kind::paused:
        return model.pauseUntil() ? StatusPresentation::tr("Resumes %1")
                                        .arg(Formatters::relativeTime(*model.pauseUntil(), now))
                                  : StatusPresentation::tr("Resume to continue protection");
    case Kind::offline:
        return StatusPresentation::tr("Will resume automatically");
    default:
        return StatusPresentation::lastBackupLine(model.lastBackup(), now);
    }
}

StatusPresentation::Action actionOf(const AppStatus& status) {
    using Action = StatusPresentation::Action;
    switch (status.kind) {
    case Kind::protected_:
    case Kind::protectedWithWarnings:
    case Kind::error:
    case Kind::backingUp:
        return Action::backUpNow;
    case Kind::needsSetup:
        return Action::setUp;
    case Kind::credentialsUnavailable:
        // Reads the keyring again; a keyring unlocked since launch now answers.
        return Action::readCredentialsAgain;
    case Kind::fullDiskAccessRequired:
        return Action::checkFolderAccess;
    case Kind::paused:
        return Action::resume;
    case Kind::offline:
        break;
    }
    return Action::none;
}

QString primaryActionOf(const AppStatus& status) {
    switch (status.kind) {
    case Kind::error:
        return StatusPresentation::tr("Try again");
    case Kind::needsSetup:
        return StatusPresentation::tr("Set Up Keldoran");
    case Kind::credentialsUnavailable:
        return StatusPresentation::tr("Retry");
    case Kind::fullDiskAccessRequired:
        return StatusPresentation::tr("Open System Settings");
    case Kind::paused:
        return StatusPresentation::tr("Resume");
    case Kind::offline:
        return StatusPresentation::tr("Waiting for network");
    default:
        return StatusPresentation::tr("Back up now");
    }
}

// The first five warnings, a count of the rest, and what the user can do about them.
void addWarnings(StatusPresentation& shown, const AppModel& model, const QString& home,
                 bool fullDiskAccessGranted) {
    const auto warnings = model.lastBackupWarnings();
    for (qsizetype i = 0; i < std::min<qsizetype>(5, warnings.size()); ++i) {
        shown.warnings.append(StatusPresentation::warningLine(warnings[i], home));
        shown.warningPaths.append(warnings[i].path ? abbreviated(*warnings[i].path, home) : QString());
    }
    if (warnings.size() >= 6) {
        shown.warnings.append(StatusPresentation::tr("and %Ln more", nullptr, int(warnings.size() - 5)));
    }
    const auto has = [&](BackupWarning::Kind kind) {
        return std::any_of(warnings.begin(), warnings.end(),
                           [kind](const BackupWarning& w) { return w.kind == kind; });
    };
    if (has(BackupWarning::Kind::privacyProtected)) {
        shown.guidance.append(
            fullDiskAccessGranted
                ? StatusPresentation::tr(
                      "Full Disk Access is on, yet macOS still blocked these. In System Settings › "
                      "Privacy & Security › Full Disk Access, remove Keldoran, add it again, then "
                      "relaunch.")
                : StatusPresentation::tr(
                      "Keldoran needs Full Disk Access in System Settings › Privacy & Security to "
                      "read these."));
    }
    if (has(BackupWarning::Kind::permissionDenied)) {
        shown.guidance.append(
            StatusPresentation::tr("These files' owner or permissions prevent reading them — Full "
                                   "Disk Access doesn't change that."));
    }
}

// How the last integrity check went, and why it failed.
void addCheck(StatusPresentation& shown, const AppModel& model) {
    switch (model.checkHealth()) {
    case AppModel::CheckHealth::verified:
        shown.check = StatusPresentation::tr("Data integrity verified");
        break;
    case AppModel::CheckHealth::overdue:
        shown.check = StatusPresentation::tr("Check overdue");
        break;
    case AppModel::CheckHealth::failed:
        shown.check = StatusPresentation::tr("Check failed");
        break;
    }
    if (const auto reason = model.lastCheckFailure()) {
        switch (*reason) {
        case CheckFailureReason::corruption:
            shown.checkDetail = StatusPresentation::tr(
                "Damaged data was found in the backup. Don't delete snapshots — check the repository.");
            break;
        case CheckFailureReason::unreachable:
            shown.checkDetail =
                StatusPresentation::tr("The backup storage couldn't be reached for checking.");
            break;
        case CheckFailureReason::other:
            shown.checkDetail =
                StatusPresentation::tr("The last check didn't complete. It will retry on schedule.");
            break;
        }
    }
}

void wordForThisPlatform(StatusPresentation& shown) {
    // The canonical sentences are kept above; this platform's words replace the macOS ones.
    for (auto* text : {&shown.title, &shown.subtitle, &shown.primaryAction}) {
        *text = Wording::forPlatform(*text);
    }
    for (auto* list : {&shown.warnings, &shown.guidance}) {
        for (auto& line : *list) {
            line = Wording::forPlatform(line);
        }
    }
}

} // namespace

QString StatusPresentation::titleOf(const AppStatus& status) {
    switch (status.kind) {
    case Kind::protectedWithWarnings:
        return tr("Completed with %Ln warnings", nullptr, int(status.warningCount));
    case Kind::backingUp:
        return tr("Backing up…");
    case Kind::error:
        return tr("Last backup failed");
    case Kind::needsSetup:
        return tr("Set up Keldoran");
    case Kind::credentialsUnavailable:
        return tr("Couldn't read your saved credentials");
    case Kind::fullDiskAccessRequired:
        return tr("Full Disk Access needed");
    case Kind::protected_:
        return tr("Protected");
    case Kind::paused:
        return tr("Paused");
    case Kind::offline:
        break;
    }
    return tr("Waiting for network");
}

QString StatusPresentation::lastBackupLine(const std::optional<QDateTime>& lastBackup, const QDateTime& now) {
    return lastBackup ? tr("Backed up %1").arg(Formatters::relativeTime(*lastBackup, now))
                      : tr("Not backed up yet");
}

QString StatusPresentation::warningLine(const BackupWarning& warning, const QString& home) {
    using WarningKind = BackupWarning::Kind;
    if (!warning.path) {
        switch (warning.kind) {
        case WarningKind::privacyProtected:
            return tr("macOS blocked access to a file.");
        case WarningKind::permissionDenied:
            return tr("A file couldn't be read (no permission).");
        case WarningKind::vanished:
            return tr("A file changed or was removed while backing up.");
        case WarningKind::other:
            break;
        }
        return tr("Some files couldn't be backed up.");
    }
    const auto path = abbreviated(*warning.path, home);
    switch (warning.kind) {
    case WarningKind::privacyProtected:
        return tr("macOS blocked access to %1.").arg(path);
    case WarningKind::permissionDenied:
        return tr("No permission to read %1.").arg(path);
    case WarningKind::vanished:
        return tr("%1 changed or was removed while backing up.").arg(path);
    case WarningKind::other:
        break;
    }
    return tr("%1 couldn't be backed up.").arg(path);
}

StatusPresentation StatusPresentation::current(AppModel& model) {
    auto& controller = model.controller();
    const bool running = controller.currentOperation().has_value() || controller.queuedOperationCount() > 0;
    const auto warnings = model.lastBackupWarnings();
    const bool privacy = std::any_of(warnings.begin(), warnings.end(), [](const BackupWarning& warning) {
        return warning.kind == BackupWarning::Kind::privacyProtected;
    });
    const bool granted = privacy ? controller.fullDiskAccessProbe() : true;
    return of(model, running, granted, model.platform().folders.home, model.platform().clock->now());
}

StatusPresentation StatusPresentation::of(const AppModel& model, bool operationRunning,
                                          bool fullDiskAccessGranted, const QString& home,
                                          const QDateTime& now) {
    const auto status = model.status();
    StatusPresentation shown;
    shown.title = titleOf(status);
    shown.subtitle = subtitleOf(model, status, now);
    const bool settled = status.kind == Kind::protected_ || status.kind == Kind::protectedWithWarnings;
    if (settled && model.lastBackupUnfinished()) {
        shown.title = tr("Last backup didn't finish");
        shown.subtitle = tr("It continues where it left off. %1.")
                             .arg(StatusPresentation::lastBackupLine(model.lastBackup(), now));
    }
    if (const auto problem = model.agentRegistrationProblem()) {
        shown.registrationWarning =
            tr("Background backups aren't set up (%1). Backups run only while Keldoran is open.")
                .arg(*problem);
    }
    shown.primaryAction = operationRunning ? tr("Cancel") : primaryActionOf(status);
    shown.action = operationRunning ? Action::cancel : actionOf(status);
    shown.actionEnabled = shown.action != Action::none;
    if (status.kind == Kind::backingUp) {
        shown.progress = std::clamp(status.progress.fraction, 0.0, 1.0);
        if (status.progress.totalBytes.value_or(0) > 0) {
            shown.progressDetail = fileCountOf(status.progress);
        }
    }
    const bool hidesNext = status.kind == Kind::backingUp || status.kind == Kind::paused ||
                           status.kind == Kind::offline || status.kind == Kind::fullDiskAccessRequired;
    if (!hidesNext && model.nextBackup()) {
        shown.nextBackup = tr("Next backup %1").arg(Formatters::compactTimeUntil(*model.nextBackup(), now));
    }

    addWarnings(shown, model, home, fullDiskAccessGranted);
    addCheck(shown, model);
    wordForThisPlatform(shown);
    return shown;
}

QStringList StatusPresentation::lines(const AppModel& model) const {
    QStringList lines{title, subtitle};
    if (progressDetail) {
        lines.append(*progressDetail);
    }
    if (nextBackup) {
        lines.append(*nextBackup);
    }
    lines += warnings;
    lines += guidance;
    if (registrationWarning) {
        lines.append(*registrationWarning);
    }
    lines.append(check);
    if (checkDetail) {
        lines.append(*checkDetail);
    }
    const auto stats = model.stats();
    if (stats.protectedBytes) {
        auto line = tr("Protected: %1").arg(Formatters::byteCount(*stats.protectedBytes));
        if (stats.fileCount) {
            line += QStringLiteral(", ") + tr("%Ln files · source data", nullptr, int(*stats.fileCount));
        }
        lines.append(line);
    }
    if (const auto stored = model.storage().sizeBytes) {
        auto line = tr("Storage: %1 stored after deduplication").arg(Formatters::byteCount(*stored));
        if (stats.monthlyCostEUR) {
            line += tr(", about %1 a month").arg(Formatters::euros(*stats.monthlyCostEUR));
        }
        lines.append(line);
    }
    return lines;
}

} // namespace keldoran
