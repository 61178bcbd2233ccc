#pragma once

#include "app_status.h"
#include "backup_frequency.h"
#include "backup_warning.h"
#include "exclude_item.h"
#include "platform/platform.h"
#include "protected_stats.h"
#include "recent_backup.h"
#include "restic/check_failure_reason.h"
#include "restore_outcome.h"
#include "storage_summary.h"

#include <memory>
#include <optional>
#include <QDateTime>
#include <QObject>
#include <QStringList>

namespace keldoran {

class BackupController;
class BackupScheduler;
class NetworkMonitor;
class BackupScope;
class SnapshotIndexer;

/// The one observable state of a process: what the interface shows and what the scheduler and the
/// controller consult. Persisted fields are written the moment they change; a setter handed the value a
/// property already holds stores nothing and notifies nobody. Main thread only.
class AppModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(AppStatus baseStatus READ baseStatus NOTIFY baseStatusChanged)
    Q_PROPERTY(AppStatus status READ status NOTIFY statusChanged)
    Q_PROPERTY(bool isPaused READ isPaused NOTIFY isPausedChanged)
    Q_PROPERTY(std::optional<QDateTime> pauseUntil READ pauseUntil NOTIFY pauseUntilChanged)
    Q_PROPERTY(bool isOnline READ isOnline NOTIFY isOnlineChanged)
    Q_PROPERTY(
        bool pendingBackupWhileOffline READ pendingBackupWhileOffline NOTIFY pendingBackupWhileOfflineChanged)
    Q_PROPERTY(std::optional<QDateTime> lastBackup READ lastBackup NOTIFY lastBackupChanged)
    Q_PROPERTY(std::optional<QDateTime> nextBackup READ nextBackup NOTIFY nextBackupChanged)
    Q_PROPERTY(std::optional<QDateTime> lastChecked READ lastChecked NOTIFY lastCheckedChanged)
    Q_PROPERTY(std::optional<CheckFailureReason> lastCheckFailure READ lastCheckFailure NOTIFY
                   lastCheckFailureChanged)
    Q_PROPERTY(StorageSummary storage READ storage NOTIFY storageChanged)
    Q_PROPERTY(ProtectedStats stats READ stats NOTIFY statsChanged)
    Q_PROPERTY(QList<RecentBackup> recentBackups READ recentBackups NOTIFY recentBackupsChanged)
    Q_PROPERTY(
        QList<BackupWarning> lastBackupWarnings READ lastBackupWarnings NOTIFY lastBackupWarningsChanged)
    Q_PROPERTY(
        std::optional<QString> lastBackupFailure READ lastBackupFailure NOTIFY lastBackupFailureChanged)
    Q_PROPERTY(std::optional<qint64> lastBackupExcludeCount READ lastBackupExcludeCount NOTIFY
                   lastBackupExcludeCountChanged)
    Q_PROPERTY(BackupFrequency frequency READ frequency NOTIFY frequencyChanged)
    Q_PROPERTY(bool backupOnBattery READ backupOnBattery NOTIFY backupOnBatteryChanged)
    Q_PROPERTY(bool backupOnMetered READ backupOnMetered NOTIFY backupOnMeteredChanged)
    Q_PROPERTY(std::optional<qint64> uploadLimitKiBps READ uploadLimitKiBps NOTIFY uploadLimitKiBpsChanged)
    Q_PROPERTY(bool startAtLogin READ startAtLogin NOTIFY startAtLoginChanged)
    Q_PROPERTY(QList<ExcludeItem> excludes READ excludes NOTIFY excludesChanged)
    Q_PROPERTY(std::optional<QStringList> seenDefaultExcludePaths READ seenDefaultExcludePaths NOTIFY
                   seenDefaultExcludePathsChanged)
    Q_PROPERTY(bool showActivity READ showActivity NOTIFY showActivityChanged)
    Q_PROPERTY(bool notificationsEnabled READ notificationsEnabled NOTIFY notificationsEnabledChanged)
    Q_PROPERTY(std::optional<RestoreOutcome> lastRestore READ lastRestore NOTIFY lastRestoreChanged)
    Q_PROPERTY(bool lastBackupUnfinished READ lastBackupUnfinished NOTIFY lastBackupUnfinishedChanged)
    Q_PROPERTY(std::optional<QString> agentRegistrationProblem READ agentRegistrationProblem NOTIFY
                   agentRegistrationProblemChanged)

public:
    enum class CheckHealth { verified, overdue, failed };
    enum class PauseChoice { oneHour, untilTomorrow, indefinitely };

    /// Loads every persisted field from the platform's settings.
    explicit AppModel(Platform& platform, QObject* parent = nullptr);
    ~AppModel() override;

    Platform& platform() const { return platform_; }

    // Companions, each created on first use and living as long as the model.
    BackupController& controller();
    BackupScheduler& scheduler();
    NetworkMonitor& networkMonitor();
    BackupScope& scope();
    /// The snapshot index of the restore window and of keldoranctl find and versions.
    SnapshotIndexer& snapshotIndexer();
    /// The indexer when it has been created; none otherwise (nothing to wind down at quit).
    SnapshotIndexer* existingSnapshotIndexer() const { return snapshotIndexer_.get(); }

    /// The shown status: a running backup first, then the three setup-blocking states, then the pause,
    /// then being offline, then the base status.
    AppStatus status() const;
    /// What a finished operation leaves behind: the failure, else the warnings, else protected.
    AppStatus settledStatus() const;
    /// failed with a recorded check failure; verified within a week of the last check; overdue otherwise.
    CheckHealth checkHealth() const;

    void pause(PauseChoice choice, const QDateTime& now);
    void resume();
    /// Ends a timed pause at or after its end; answers whether it ended.
    bool expirePauseIfDue(const QDateTime& now);
    /// Starts the backup deferred while offline, or the one a quit interrupted, once nothing prevents it.
    void runPendingBackupIfPossible();
    /// "Back up now" / "Try again": a backup when configured, else the setup window.
    void backUpNow();
    /// Asks for the setup window ("Set Up Keldoran").
    void requestSetup() { emit setupRequested(); }
    /// "Set up background backups again".
    void requestAgentRegistration() { emit agentRegistrationRequested(); }

    // The exclusion list; each change saves the preferences.
    /// Adds a folder, with the home folder written as "~"; an entry already present changes nothing.
    void addExclusion(const QString& path);
    void removeExclusion(const QUuid& id);
    /// Adds the entries missing from the list, or removes those present; one save.
    void setListed(const QStringList& paths, bool listed);
    /// Re-adds the missing defaults at the end; the user's own entries keep their place.
    void restoreDefaultExcludes();

    AppStatus baseStatus() const { return baseStatus_; }
    bool isPaused() const { return isPaused_; }
    std::optional<QDateTime> pauseUntil() const { return pauseUntil_; }
    bool isOnline() const { return isOnline_; }
    bool pendingBackupWhileOffline() const { return pendingBackupWhileOffline_; }
    std::optional<QDateTime> lastBackup() const { return lastBackup_; }
    std::optional<QDateTime> nextBackup() const { return nextBackup_; }
    std::optional<QDateTime> lastChecked() const { return lastChecked_; }
    std::optional<CheckFailureReason> lastCheckFailure() const { return lastCheckFailure_; }
    StorageSummary storage() const { return storage_; }
    ProtectedStats stats() const { return stats_; }
    QList<RecentBackup> recentBackups() const { return recentBackups_; }
    QList<BackupWarning> lastBackupWarnings() const { return lastBackupWarnings_; }
    std::optional<QString> lastBackupFailure() const { return lastBackupFailure_; }
    std::optional<qint64> lastBackupExcludeCount() const { return lastBackupExcludeCount_; }
    BackupFrequency frequency() const { return frequency_; }
    bool backupOnBattery() const { return backupOnBattery_; }
    /// "Back up on metered connections" (off unless turned on).
    bool backupOnMetered() const { return backupOnMetered_; }
    std::optional<qint64> uploadLimitKiBps() const { return uploadLimitKiBps_; }
    bool startAtLogin() const { return startAtLogin_; }
    QList<ExcludeItem> excludes() const { return excludes_; }
    std::optional<QStringList> seenDefaultExcludePaths() const { return seenDefaultExcludePaths_; }
    bool showActivity() const { return showActivity_; }
    /// Desktop notifications when something needs the user (on unless turned off).
    bool notificationsEnabled() const { return notificationsEnabled_; }
    /// How the last restore ended; kept across launches.
    std::optional<RestoreOutcome> lastRestore() const { return lastRestore_; }
    /// Records a restore's end. One that ended out of the user's view (its window closed) is also
    /// announced, so the desktop can tell the user.
    void recordRestore(const RestoreOutcome& outcome, bool watched);
    /// A backup began and has not ended: kept across launches, so one a quit or shutdown interrupted
    /// is told and run again.
    bool lastBackupUnfinished() const { return lastBackupUnfinished_; }
    /// Why the background backups could not be registered at this launch; none when they are.
    std::optional<QString> agentRegistrationProblem() const { return agentRegistrationProblem_; }

    void setBaseStatus(const AppStatus& status);
    void setIsPaused(bool paused);
    void setPauseUntil(const std::optional<QDateTime>& until);
    void setIsOnline(bool online);
    void setPendingBackupWhileOffline(bool pending);
    void setLastBackup(const std::optional<QDateTime>& date);
    void setNextBackup(const std::optional<QDateTime>& date);
    void setLastChecked(const std::optional<QDateTime>& date);
    void setLastCheckFailure(const std::optional<CheckFailureReason>& reason);
    void setStorage(const StorageSummary& storage);
    void setStats(const ProtectedStats& stats);
    void setRecentBackups(const QList<RecentBackup>& backups);
    void setLastBackupWarnings(const QList<BackupWarning>& warnings);
    void setLastBackupFailure(const std::optional<QString>& failure);
    void setLastBackupExcludeCount(const std::optional<qint64>& count);
    void setFrequency(BackupFrequency frequency);
    void setBackupOnBattery(bool allowed);
    void setBackupOnMetered(bool allowed);
    void setUploadLimitKiBps(const std::optional<qint64>& limit);
    void setStartAtLogin(bool start);
    void setExcludes(const QList<ExcludeItem>& excludes);
    void setSeenDefaultExcludePaths(const std::optional<QStringList>& paths);
    void setShowActivity(bool show);
    void setNotificationsEnabled(bool enabled);
    void setLastBackupUnfinished(bool unfinished);
    void setAgentRegistrationProblem(const std::optional<QString>& problem);

signals:
    void baseStatusChanged();
    void statusChanged();
    void isPausedChanged();
    void pauseUntilChanged();
    void isOnlineChanged();
    void pendingBackupWhileOfflineChanged();
    void lastBackupChanged();
    void nextBackupChanged();
    void lastCheckedChanged();
    void lastCheckFailureChanged();
    void storageChanged();
    void statsChanged();
    void recentBackupsChanged();
    void lastBackupWarningsChanged();
    void lastBackupFailureChanged();
    void lastBackupExcludeCountChanged();
    void frequencyChanged();
    void backupOnBatteryChanged();
    void backupOnMeteredChanged();
    void uploadLimitKiBpsChanged();
    void startAtLoginChanged();
    void excludesChanged();
    void seenDefaultExcludePathsChanged();
    void showActivityChanged();
    void notificationsEnabledChanged();
    void lastRestoreChanged();
    void lastBackupUnfinishedChanged();
    void agentRegistrationProblemChanged();
    /// The user asked to register the background backups again.
    void agentRegistrationRequested();
    /// A restore ended while its window was closed.
    void restoreEndedOutOfView(const RestoreOutcome& outcome);
    /// "keldoranRequestSetup": the setup window should open, at the welcome step unless given.
    void setupRequested();

private:
    void load();
    void savePreferences();
    void saveStatsCache();
    void saveDate(const QString& key, const std::optional<QDateTime>& date);

    Platform& platform_;
    AppStatus baseStatus_ = AppStatus::needsSetup();
    bool isPaused_ = false;
    std::optional<QDateTime> pauseUntil_;
    bool isOnline_ = true;
    bool pendingBackupWhileOffline_ = false;
    std::optional<QDateTime> lastBackup_;
    std::optional<QDateTime> nextBackup_;
    std::optional<QDateTime> lastChecked_;
    std::optional<CheckFailureReason> lastCheckFailure_;
    StorageSummary storage_;
    ProtectedStats stats_;
    QList<RecentBackup> recentBackups_;
    QList<BackupWarning> lastBackupWarnings_;
    std::optional<QString> lastBackupFailure_;
    std::optional<qint64> lastBackupExcludeCount_;
    BackupFrequency frequency_ = BackupFrequency::hourly;
    bool backupOnBattery_ = true;
    bool backupOnMetered_ = false;
    std::optional<qint64> uploadLimitKiBps_;
    bool startAtLogin_ = false;
    QList<ExcludeItem> excludes_;
    std::optional<QStringList> seenDefaultExcludePaths_;
    bool showActivity_ = false;
    bool notificationsEnabled_ = true;
    std::optional<RestoreOutcome> lastRestore_;
    bool lastBackupUnfinished_ = false;
    std::optional<QString> agentRegistrationProblem_;

    std::unique_ptr<BackupController> controller_;
    std::unique_ptr<BackupScheduler> scheduler_;
    std::unique_ptr<NetworkMonitor> networkMonitor_;
    std::unique_ptr<BackupScope> scope_;
    std::unique_ptr<SnapshotIndexer> snapshotIndexer_;
};

} // namespace keldoran
