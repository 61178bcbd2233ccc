#include "notification_policy.h"

#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "presentation/formatters.h"
#include "presentation/wording.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace keldoran {

namespace {

constexpr NotificationPolicy::Reason allReasons[] = {
    NotificationPolicy::Reason::backupFailed, NotificationPolicy::Reason::credentialsUnreadable,
    NotificationPolicy::Reason::homeFolderUnreadable, NotificationPolicy::Reason::protectionOverdue};

// When the newest backup becomes overdue: twice the chosen interval after it.
std::optional<QDateTime> overdueFrom(const AppModel& model) {
    const auto last = model.lastBackup();
    if (!last) {
        return std::nullopt;
    }
    return last->addSecs(2 * intervalSeconds(model.frequency()));
}

} // namespace

NotificationPolicy::NotificationPolicy(AppModel& model, Notifier& notifier, QObject* parent)
    : QObject(parent)
    , model_(model)
    , notifier_(notifier) {
    if (const auto blob = model_.platform().settings->dataValue(SettingsKeys::notifiedReasons)) {
        for (const auto& reason : QJsonDocument::fromJson(*blob).array()) {
            told_.insert(reason.toString());
        }
    }
    for (const auto signal :
         {&AppModel::baseStatusChanged, &AppModel::isPausedChanged, &AppModel::lastBackupChanged,
          &AppModel::frequencyChanged, &AppModel::notificationsEnabledChanged}) {
        connect(&model_, signal, this, &NotificationPolicy::evaluate);
    }
    connect(&model_.controller(), &BackupController::resticChanged, this, &NotificationPolicy::evaluate);
    connect(&notifier_, &Notifier::actionInvoked, this, &NotificationPolicy::perform);
    connect(&model_, &AppModel::restoreEndedOutOfView, this, [this](const RestoreOutcome& outcome) {
        if (model_.notificationsEnabled()) {
            notifier_.show(notificationFor(outcome));
        }
    });
}

DesktopNotification NotificationPolicy::notificationFor(const RestoreOutcome& outcome) {
    return {QStringLiteral("restoreEnded"), outcome.title(), outcome.message, std::nullopt};
}

QString NotificationPolicy::rawValue(Reason reason) {
    switch (reason) {
    case Reason::backupFailed:
        return QStringLiteral("backupFailed");
    case Reason::credentialsUnreadable:
        return QStringLiteral("credentialsUnreadable");
    case Reason::homeFolderUnreadable:
        return QStringLiteral("homeFolderUnreadable");
    case Reason::protectionOverdue:
        return QStringLiteral("protectionOverdue");
    }
    return {};
}

QList<NotificationPolicy::Reason> NotificationPolicy::activeReasons(const AppModel& model,
                                                                    const QDateTime& now) {
    QList<Reason> reasons;
    switch (model.baseStatus().kind) {
    case AppStatus::Kind::error:
        reasons.append(Reason::backupFailed);
        break;
    case AppStatus::Kind::credentialsUnavailable:
        reasons.append(Reason::credentialsUnreadable);
        break;
    case AppStatus::Kind::fullDiskAccessRequired:
        reasons.append(Reason::homeFolderUnreadable);
        break;
    default:
        break;
    }
    const auto overdue = overdueFrom(model);
    if (overdue && now >= *overdue && !model.isPaused() &&
        model.baseStatus().kind != AppStatus::Kind::backingUp) {
        reasons.append(Reason::protectionOverdue);
    }
    return reasons;
}

DesktopNotification NotificationPolicy::notificationFor(Reason reason, const AppModel& model,
                                                        const QDateTime& now) {
    const auto key = rawValue(reason);
    switch (reason) {
    case Reason::backupFailed:
        return {key, tr("Backup failed"), model.lastBackupFailure().value_or(model.baseStatus().message),
                tr("Try again")};
    case Reason::credentialsUnreadable:
        return {key, tr("Couldn't read your saved credentials"),
                //: On Linux this reads “Your keyring may still be locked — try Retry, or unlock it and try
                //: again.”: translate that meaning. “Retry” is the notification's button.
                Wording::forPlatform(
                    tr("Your Mac's Keychain may still be locked — try Retry, or unlock it and try again.")),
                tr("Retry")};
    case Reason::homeFolderUnreadable:
        //: On Linux this reads “Home folder access needed”: translate that meaning.
        return {key, Wording::forPlatform(tr("Full Disk Access needed")),
                //: On Linux this reads “Keldoran can't read your home folder. Backups are paused until it
                //: can.”: translate that meaning.
                Wording::forPlatform(
                    tr("Without it, macOS hides Desktop, Documents, Mail and more from the backup. "
                       "Backups are paused until it's granted.")),
                std::nullopt};
    case Reason::protectionOverdue:
        return {key, tr("Backups are overdue"),
                //: %1 is when, as “3 days ago”.
                tr("Keldoran last backed up %1. It will try again when it can.")
                    .arg(Formatters::relativeTime(model.lastBackup().value_or(now), now)),
                tr("Back up now")};
    }
    return {};
}

void NotificationPolicy::evaluate() {
    const auto now = model_.platform().clock->now();
    const auto active = activeReasons(model_, now);
    bool changed = false;
    for (const auto reason : allReasons) {
        const auto key = rawValue(reason);
        if (!active.contains(reason)) {
            changed |= told_.remove(key);
        } else if (model_.notificationsEnabled() && !told_.contains(key)) {
            told_.insert(key);
            changed = true;
            notifier_.show(notificationFor(reason, model_, now));
        }
    }
    if (changed) {
        saveTold();
    }
    armOverdueCheck();
}

void NotificationPolicy::armOverdueCheck() {
    overdueCheck_.reset();
    const auto overdue = overdueFrom(model_);
    auto* clock = model_.platform().clock;
    if (overdue && *overdue > clock->now()) {
        overdueCheck_ = clock->callAt(*overdue, [this] { evaluate(); });
    }
}

void NotificationPolicy::saveTold() {
    QJsonArray reasons;
    for (const auto reason : allReasons) {
        if (told_.contains(rawValue(reason))) {
            reasons.append(rawValue(reason));
        }
    }
    model_.platform().settings->setValue(SettingsKeys::notifiedReasons,
                                         QJsonDocument(reasons).toJson(QJsonDocument::Compact));
}

void NotificationPolicy::perform(const QString& key) {
    if (key == rawValue(Reason::backupFailed) || key == rawValue(Reason::protectionOverdue)) {
        model_.backUpNow();
    } else if (key == rawValue(Reason::credentialsUnreadable)) {
        model_.controller().bootstrapAgain();
    }
}

} // namespace keldoran
