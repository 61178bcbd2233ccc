#pragma once

#include "model/restore_outcome.h"
#include "platform/clock.h"
#include "platform/notifier.h"

#include <memory>
#include <QDateTime>
#include <QObject>
#include <QSet>

namespace keldoran {

class AppModel;

/// Decides when Keldoran tells the user something through a desktop notification: a failed backup,
/// credentials that cannot be read, the home folder not readable, protection overdue (no backup for twice
/// the chosen interval while not paused). One notification per reason until that reason clears, none
/// for routine success, none when the user turned them off. Told reasons survive a restart. A restore
/// that ends after its window was closed is told too, however it ended: the user asked for it.
class NotificationPolicy : public QObject {
    Q_OBJECT
public:
    enum class Reason { backupFailed, credentialsUnreadable, homeFolderUnreadable, protectionOverdue };

    NotificationPolicy(AppModel& model, Notifier& notifier, QObject* parent = nullptr);

    /// The reasons that hold for the model at `now`.
    static QList<Reason> activeReasons(const AppModel& model, const QDateTime& now);
    static QString rawValue(Reason reason);
    /// What is shown for a reason, in the platform's words.
    static DesktopNotification notificationFor(Reason reason, const AppModel& model, const QDateTime& now);

    /// How a restore that ended out of view is told.
    static DesktopNotification notificationFor(const RestoreOutcome& outcome);

    /// Looks at the model now; sends what has begun and forgets what has cleared.
    void evaluate();
    /// The action of the notification with this key: "Try again" and "Back up now" back up, "Retry"
    /// reads the credentials again.
    void perform(const QString& key);

private:
    void armOverdueCheck();
    void saveTold();

    AppModel& model_;
    Notifier& notifier_;
    QSet<QString> told_;
    std::unique_ptr<ClockTimer> overdueCheck_;
};

} // namespace keldoran
