#pragma once

#include "base/task_outcome.h"
#include "operation_handle.h"
#include "operation_queue.h"
#include "platform/run_lock.h"
#include "repository_operation.h"
#include "restic/restic.h"
#include "restore/restore_conflict.h"
#include "storage/configuration_step.h"
#include "storage/repository_setup.h"
#include "storage/storage_config.h"
#include "storage/storage_provider.h"
#include "storage/validation.h"

#include <functional>
#include <memory>
#include <optional>
#include <QObject>
#include <vector>

namespace keldoran {

class AppModel;
struct BackupWarning;

/// The one object that runs repository work. Every operation (backups, restores) goes through one chain
/// (OperationQueue), so at most one runs at a time; a backup is run end to end and every result is
/// written into the model. Setting a repository up is RepositorySetup's. Listings for the restore browser
/// do not queue. Main thread only.
class BackupController : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isConfigured READ isConfigured NOTIFY resticChanged)
    Q_PROPERTY(bool hasBackupTask READ hasBackupTask NOTIFY backupTaskChanged)
    Q_PROPERTY(int queuedOperationCount READ queuedOperationCount NOTIFY queuedOperationCountChanged)

public:
    using ConfigurationOutcome = keldoran::ConfigurationOutcome;
    /// The body of an operation, given the token that cancels it.
    using OperationBody = OperationQueue::Body;

    /// The inputs of one backup, fixed when it is requested.
    struct BackupInputs {
        QStringList sources;
        QStringList excludes;
        std::optional<qint64> uploadLimitKiBps;
    };

    explicit BackupController(AppModel& model);

    /// Brings the tray application's controller into service: configureAtLaunch; when configured, the
    /// last known state, the network monitor and the scheduler at once, then prepareRepository.
    QCoro::Task<void> bootstrap();
    /// "Retry" after the credentials could not be read: bootstrap again, in the background.
    void bootstrapAgain();
    /// The first half: login-item state, the configuration step, its log line and status.
    QCoro::Task<ConfigurationOutcome> configureAtLaunch();
    /// A stored configuration means set up: the last known state is shown until the listing refines it.
    void showLastKnownState();
    /// The second half: repository refresh and the Full Disk Access gate. A repository that no longer
    /// opens with what is stored (wrong password, gone) is told as an error at once, not at the next
    /// backup's failure, until a listing succeeds again.
    QCoro::Task<void> prepareRepository();
    /// Why the repository did not open at the last prepareRepository, in the language now spoken.
    std::optional<QString> unopenableRepository() const;
    /// Reads the stored configuration and secrets; when complete, installs a restic runner.
    QCoro::Task<ConfigurationOutcome> configure();

    /// How long a validation probe may take (see RepositorySetup).
    static constexpr int probeTimeLimitSeconds = RepositorySetup::probeTimeLimitSeconds;
    /// What a stopping backup says in place of its progress; keldoranctl says the same.
    static QString stoppingNotice();
    /// One probe of one candidate region with the two keys and no password. Never fails.
    QCoro::Task<Validation> validate(StorageConfig config, QString accessKey, QString secretKey);
    /// One probe with the repository password too: reachableExistingRepo when it opens the backup,
    /// failed with restic's "wrong password" when it does not. Never fails.
    QCoro::Task<Validation> probe(StorageConfig config, QString accessKey, QString secretKey,
                                  QString password);
    /// Probes with the password, creates the repository when there is none, stores the keys, the
    /// password and the configuration, configures the controller, registers the agent and the login
    /// item. Throws SetupError.
    QCoro::Task<void> completeSetup(StorageConfig config, QString accessKey, QString secretKey,
                                    QString password, QString keychainService, SettingsStore* settings);

    /// "Change keys…": checks the two keys against the configured backup with its stored password, and
    /// only when they open it stores them and configures again. Answers the sentence to show on failure.
    QCoro::Task<std::optional<QString>> changeKeys(QString accessKey, QString secretKey);

    /// Requests one backup; ignored without a configuration or while one is pending.
    void startBackup();
    /// Cancels the pending backup, if any, at the user's request: it is not run again at the next launch
    /// (as one cancelled by a quit through its handle is).
    void cancelBackup();
    /// Cancels whatever operation runs now (a backup, a restore or maintenance): the popover's "Cancel".
    void cancelCurrentOperation();
    /// Cancels the running operation and every queued one: quitting. Queued ones end without starting
    /// restic; whenIdle resumes once the running restic has exited.
    void cancelAll();
    /// Appends a body to the operation chain; it runs once every earlier operation has finished.
    std::shared_ptr<OperationHandle> enqueue(RepositoryOperation operation, OperationBody body);
    /// The Full Disk Access gate: moves the status into or out of fullDiskAccessRequired.
    bool checkFullDiskAccess();
    /// Re-reads snapshots and sizes into the model; a stop ends it early, keeping what was known. Answers
    /// why the backups could not be listed, if they could not (never for a stop).
    QCoro::Task<TaskFailure> refreshRepositoryState(std::stop_token stop = {});
    /// The snapshots the last refresh listed; none before one succeeded.
    const std::optional<QList<Snapshot>>& listedSnapshots() const { return listedSnapshots_; }

    /// The repository's snapshots, outside the queue; empty without a configuration.
    QCoro::Task<QList<Snapshot>> snapshots();
    /// One folder of a snapshot, outside the queue; empty without a configuration.
    QCoro::Task<QList<LsEntry>> listDirectory(QString snapshotId, QString path);
    /// A restore queued like a backup; its events arrive as a stream. Dropping the stream cancels it.
    QCoro::AsyncGenerator<RestoreEvent> restore(QString snapshotId, QStringList paths, QString target,
                                                RestoreConflict conflict);

    bool isConfigured() const { return restic_.has_value(); }
    const std::optional<Restic>& restic() const { return restic_; }
    const std::optional<StorageProvider>& configuredProvider() const { return configuredProvider_; }
    bool hasBackupTask() const { return backupTask_ != nullptr; }
    std::shared_ptr<OperationHandle> backupTask() const { return backupTask_; }
    std::optional<RepositoryOperation> currentOperation() const { return queue_.currentOperation(); }
    int queuedOperationCount() const { return queue_.queuedCount(); }
    /// Resumes once every queued operation and the launch listing have finished, including operations
    /// queued while waiting. Whoever
    /// owns the model awaits this before destroying it: an operation's frame refers to the controller.
    QCoro::Task<void> whenIdle();

    /// Whether the whole home folder can be read; replaceable for tests.
    std::function<bool()> fullDiskAccessProbe;
    /// Turns the login item on or off and answers whether it is enabled afterwards.
    std::function<bool(bool)> setLoginItemEnabled;
    /// The front end this controller runs in, named in the run lock it takes for every backup.
    RunLock::Holder runLockHolder = RunLock::Holder::app;
    /// Why the last requested backup did not start: another front end's backup was running.
    const std::optional<QString>& refusal() const { return refusal_; }
    /// The run lock's file, in this user's runtime folder.
    const QString& runLockPath() const { return runLockPath_; }

signals:
    void resticChanged();
    void backupTaskChanged();
    void currentOperationChanged();
    void queuedOperationCountChanged();
    /// A backup and its maintenance have finished well.
    void backupSucceeded();

private:
    QCoro::Task<void> runBackup(BackupInputs inputs, std::stop_token stop);
    ResticProcess::Context processContext() const;
    QCoro::Task<void> finishSucceededBackup(QList<BackupWarning> warnings, std::stop_token stop);
    void showWhetherTheRepositoryOpens(const TaskFailure& refreshFailure);
    void recordSummary(const BackupSummary& summary, const QDateTime& started, qsizetype warningCount,
                       qint64 excludeCount);
    /// Records how a backup that restic ended with `failure` went; true when it still counts as done
    /// (some sources unreadable), with `warnings` completed from restic's words.
    bool settleFailedBackup(const std::exception_ptr& failure, bool gaveUp, bool stopRequested,
                            const QString& provider, QList<BackupWarning>& warnings);
    QList<BackupWarning> partialSuccessWarnings(QList<BackupWarning> warnings, const QString& stderrText);
    void recordFailure(const QString& message);
    /// Sets the model's last backup and remembers it for the background agent's due check.
    void recordLastBackup(const std::optional<QDateTime>& date);
    void clearBackupTask();
    /// Takes the run lock; none, with the refusal recorded and logged, when another front end holds it.
    std::unique_ptr<RunLock> takeRunLock();

    AppModel& model_;
    std::optional<Restic> restic_;
    std::optional<StorageProvider> configuredProvider_;
    std::shared_ptr<OperationHandle> backupTask_;
    OperationQueue queue_;
    bool cancelledByUser_ = false;
    std::shared_ptr<OperationHandle> listing_;
    std::optional<QString> refusal_;
    std::optional<QList<Snapshot>> listedSnapshots_;
    QString runLockPath_;
    /// The error prepareRepository showed for a repository that does not open, and restic's failure.
    std::optional<QString> unopenableRepository_;
    std::exception_ptr unopenableFailure_;
};

} // namespace keldoran
