#include "backup_controller.h"

#include "async_channel.h"
#include "backup_scheduler.h"
#include "backup_stall_watch.h"
#include "full_disk_access.h"
#include "logging/code_identity.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "model/checked_number.h"
#include "model/settings_keys.h"
#include "network_monitor.h"
#include "platform/instance_paths.h"
#include "post_backup_maintenance.h"
#include "protection_messages.h"
#include "registration.h"
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"
#include "restic/restic_json.h"
#include "restic/restore_problem.h"
#include "scope/backup_scope.h"
#include "storage/keychain.h"
#include "storage/repository_setup.h"
#include "storage/storage_config.h"

#include <algorithm>
#include <QScopeGuard>

namespace keldoran {

namespace {

BackupProgress progressOf(const BackupStatus& status) {
    return {status.percentDone,
            CheckedNumber::fromUnsigned(status.filesDone),
            CheckedNumber::fromUnsigned(status.totalFiles),
            CheckedNumber::fromUnsigned(status.bytesDone),
            CheckedNumber::fromUnsigned(status.totalBytes),
            CheckedNumber::fromUnsigned(status.secondsRemaining)};
}

// A running backup's status; `notice` (retrying, stopping) replaces its progress line.
AppStatus backingUpStatus(const BackupProgress& progress, const QString& notice) {
    auto status = AppStatus::backingUp(progress);
    status.message = notice;
    return status;
}

BackupWarning classifyWarning(const BackupErrorMessage& record) {
    const auto message = record.error.message.toLower();
    auto kind = BackupWarning::Kind::other;
    if (message.contains(QLatin1String("operation not permitted"))) {
        kind = BackupWarning::Kind::privacyProtected;
    } else if (message.contains(QLatin1String("permission denied"))) {
        kind = BackupWarning::Kind::permissionDenied;
    } else if (message.contains(QLatin1String("no such file or directory"))) {
        kind = BackupWarning::Kind::vanished;
    }
    std::optional<QString> path;
    if (record.item && !record.item->isEmpty()) {
        path = record.item;
    }
    return {kind, path};
}

void logWarning(const BackupErrorMessage& record) {
    Log::backup().info(QStringLiteral("warning during %1: %2 — %3")
                           .arg(record.during.value_or(QStringLiteral("?")),
                                record.item.value_or(QStringLiteral("?")), record.error.message));
}

QList<BackupWarning> withoutDuplicates(const QList<BackupWarning>& warnings) {
    QList<BackupWarning> unique;
    for (const auto& warning : warnings) {
        if (!unique.contains(warning)) {
            unique.append(warning);
        }
    }
    return unique;
}

QCoro::AsyncGenerator<RestoreEvent> noRestore() {
    throw std::runtime_error(BackupController::tr("Keldoran isn't set up yet.").toStdString());
    co_return;
}

// Every restore that did not deliver everything leaves its reasons in the log.
void logRestoreProblems(const RestoreEvent& event) {
    if (const auto* report = std::get_if<RestoreMergeReport>(&event)) {
        for (const auto& item : report->undelivered) {
            Log::queue().error(QStringLiteral("restore could not place %1: %2").arg(item.path, item.reason));
        }
    }
}

// A refresh that fails keeps what was shown; the log says why.
void logRefreshFailure(const char* what, const std::exception_ptr& failure) {
    Log::backup().error(
        QStringLiteral("refresh: %1 failed: %2").arg(QLatin1String(what), errorLogDescription(failure)));
}

void logRestoreFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const OperationCancelled&) {
        Log::queue().info(QStringLiteral("restore cancelled"));
        return;
    } catch (...) {
    }
    Log::queue().error(QStringLiteral("restore failed: ") + errorLogDescription(failure) +
                       QStringLiteral(" — ") + restoreFailureMessage(failure));
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        const auto stderrText = error.exitStatus() ? error.exitStatus()->stderrText : QString();
        for (const auto& problem : RestoreProblem::fromStandardError(stderrText)) {
            Log::queue().error(QStringLiteral("restore failed for %1: %2").arg(problem.item, problem.detail));
        }
    } catch (...) {
    }
}

QCoro::Task<void> forwardRestore(Restic restic, QString snapshotId, QStringList paths, QString target,
                                 RestoreConflict conflict,
                                 std::shared_ptr<AsyncChannel<RestoreEvent>> channel, std::stop_token stop) {
    try {
        auto events = conflict == RestoreConflict::keepBoth
                          ? restic.restoreKeepingBoth(snapshotId, paths, target, stop)
                          : restic.restore(snapshotId, paths, target, stop);
        QCORO_FOREACH(RestoreEvent event, events) {
            logRestoreProblems(event);
            channel->push(std::move(event));
        }
        channel->finish();
    } catch (...) {
        logRestoreFailure(std::current_exception());
        channel->finish(std::current_exception());
    }
}

} // namespace

BackupController::BackupController(AppModel& model)
    : model_(model)
    , runLockPath_(InstancePaths::runLock(model.platform().folders)) {
    const auto home = model.platform().folders.home;
    fullDiskAccessProbe = [home] {
        return probeFullDiskAccess(home);
    };
    auto* services = model.platform().services;
    setLoginItemEnabled = [services](bool enabled) {
        return keldoran::setLoginItemEnabled(*services, enabled);
    };
    connect(&queue_, &OperationQueue::currentOperationChanged, this,
            &BackupController::currentOperationChanged);
    connect(&queue_, &OperationQueue::queuedCountChanged, this,
            &BackupController::queuedOperationCountChanged);
}

QCoro::Task<void> BackupController::bootstrap() {
    const auto outcome = co_await configureAtLaunch();
    if (outcome != ConfigurationOutcome::configured) {
        co_return;
    }
    // Protection does not wait on a listing that may take minutes to fail while offline.
    showLastKnownState();
    model_.networkMonitor().start();
    model_.scheduler().start();
    co_await prepareRepository();
}

void BackupController::bootstrapAgain() {
    [](BackupController* controller) -> QCoro::Task<void> {
        try {
            co_await controller->bootstrap();
        } catch (const std::exception& error) {
            Log::lifecycle().error(QStringLiteral("bootstrap ended unexpectedly: ") +
                                   QString::fromUtf8(error.what()));
        }
    }(this);
}

QCoro::Task<BackupController::ConfigurationOutcome> BackupController::configureAtLaunch() {
    auto& platform = model_.platform();
    model_.setStartAtLogin(platform.services->loginItemStatus() == ServiceRegistration::Status::enabled);
    const auto outcome = co_await configure();
    Log::lifecycle().info(QStringLiteral("bootstrap: ") + caseName(outcome));
    if (const auto endpoint = platform.endpointOverride()) {
        Log::lifecycle().info(
            QStringLiteral("bootstrap: KELDORAN_S3_ENDPOINT is set — storage endpoint replaced by ") +
            *endpoint);
    }
    if (outcome == ConfigurationOutcome::needsSetup) {
        model_.setBaseStatus(AppStatus::needsSetup());
    } else if (outcome == ConfigurationOutcome::credentialsUnavailable) {
        model_.setBaseStatus(AppStatus::credentialsUnavailable());
    } else if (outcome == ConfigurationOutcome::settingsUnreadable) {
        model_.setBaseStatus(AppStatus::error(SetupMessages::unreadableConfiguration()));
    }
    co_return outcome;
}

QString BackupController::stoppingNotice() {
    return tr("Stopping…");
}

void BackupController::showLastKnownState() {
    const auto base = model_.baseStatus().kind;
    if (restic_ && (base == AppStatus::Kind::needsSetup || base == AppStatus::Kind::credentialsUnavailable)) {
        model_.setBaseStatus(model_.settledStatus());
    }
}

QCoro::Task<void> BackupController::prepareRepository() {
    // The launch listing is not queued, yet a quit stops it and waits for it like an operation.
    const auto listing = std::make_shared<OperationHandle>();
    listing_ = listing;
    TaskFailure failure;
    {
        const auto finish = qScopeGuard([&listing] { listing->markFinished(); });
        failure = co_await refreshRepositoryState(listing->stopToken());
    }
    if (!listing->stopToken().stop_requested()) {
        showWhetherTheRepositoryOpens(failure);
    }
    checkFullDiskAccess();
}

void BackupController::showWhetherTheRepositoryOpens(const TaskFailure& refreshFailure) {
    std::optional<QString> unopenable;
    if (refreshFailure) {
        try {
            std::rethrow_exception(refreshFailure.exception);
        } catch (const ResticError& error) {
            if (error.isCommandFailure(ResticError::Kind::wrongPassword) ||
                error.isCommandFailure(ResticError::Kind::repositoryDoesNotExist)) {
                unopenable = error.readFailureMessage();
            }
        } catch (...) {
            // Unreachable storage and the like: the last known state stands.
        }
    }
    const auto base = model_.baseStatus();
    if (unopenable) {
        if (base.kind != AppStatus::Kind::backingUp) {
            model_.setBaseStatus(AppStatus::error(*unopenable));
        }
        unopenableRepository_ = unopenable;
        unopenableFailure_ = refreshFailure.exception;
    } else if (!refreshFailure) {
        if (unopenableRepository_ && base.kind == AppStatus::Kind::error &&
            base.message == *unopenableRepository_) {
            model_.setBaseStatus(model_.settledStatus());
        }
        unopenableRepository_.reset();
        unopenableFailure_ = nullptr;
    }
}

std::optional<QString> BackupController::unopenableRepository() const {
    if (!unopenableFailure_) {
        return std::nullopt;
    }
    return readFailureMessage(unopenableFailure_);
}

QCoro::Task<BackupController::ConfigurationOutcome> BackupController::configure() {
    auto& platform = model_.platform();
    const ConfigurationSources sources{platform.settings,       platform.secrets,
                                       Keychain::serviceName(), platform.resticDirectory,
                                       processContext(),        platform.endpointOverride()};
    const auto configuration = co_await runConfigurationStep(sources);
    restic_ = configuration.restic;
    configuredProvider_ = configuration.provider;
    emit resticChanged();
    if (const auto config = StorageConfig::load(*platform.settings); config && restic_) {
        auto storage = model_.storage();
        storage.provider = config->provider().shownName();
        storage.region = config->region.shownName();
        storage.encrypted = true;
        model_.setStorage(storage);
    }
    co_return configuration.outcome;
}

ResticProcess::Context BackupController::processContext() const {
    const auto& platform = model_.platform();
    return ResticProcess::Context{platform.environment, platform.folders.caches, platform.interruption,
                                  platform.resticLauncher};
}

QCoro::Task<Validation> BackupController::probe(StorageConfig config, QString accessKey, QString secretKey,
                                                QString password) {
    // The setup lives in this frame: its coroutines refer to it until they end.
    const RepositorySetup setup(model_.platform(), processContext());
    co_return co_await setup.probe(std::move(config), std::move(accessKey), std::move(secretKey),
                                   std::move(password));
}

QCoro::Task<Validation> BackupController::validate(StorageConfig config, QString accessKey,
                                                   QString secretKey) {
    const RepositorySetup setup(model_.platform(), processContext());
    co_return co_await setup.validate(std::move(config), std::move(accessKey), std::move(secretKey));
}

QCoro::Task<void> BackupController::completeSetup(StorageConfig config, QString accessKey, QString secretKey,
                                                  QString password, QString keychainService,
                                                  SettingsStore* settings) {
    auto& platform = model_.platform();
    const RepositorySetup setup(platform, processContext());
    co_await setup.store(std::move(config), std::move(accessKey), std::move(secretKey), std::move(password),
                         keychainService, settings);
    co_await configure();
    if (keychainService == Keychain::serviceName() && settings == platform.settings) {
        model_.setAgentRegistrationProblem(co_await registerBackgroundAgent(platform.services));
    }
    model_.setStartAtLogin(setLoginItemEnabled(true));
}

QCoro::Task<std::optional<QString>> BackupController::changeKeys(QString accessKey, QString secretKey) {
    auto& platform = model_.platform();
    const auto config = StorageConfig::load(*platform.settings);
    const Keychain keychain(*platform.secrets);
    std::optional<QString> password;
    try {
        password = co_await keychain.read(Keychain::Account::repositoryPassword);
    } catch (const KeychainError& error) {
        co_return error.description();
    }
    if (!config || !password) {
        co_return SetupMessages::noBackupToChangeKeysOf();
    }
    const auto result = co_await probe(*config, accessKey, secretKey, *password);
    if (result.kind != Validation::Kind::reachableExistingRepo) {
        co_return result.kind == Validation::Kind::failed
            ? SetupMessages::userMessage(result.message, config->region.provider)
            : SetupMessages::keysMissTheBackup();
    }
    try {
        co_await keychain.save(accessKey, Keychain::Account::accessKey);
        co_await keychain.save(secretKey, Keychain::Account::secretKey);
    } catch (const KeychainError& error) {
        co_return error.description();
    }
    co_await configure();
    Log::lifecycle().info(QStringLiteral("storage keys changed"));
    co_return std::nullopt;
}

void BackupController::startBackup() {
    if (!restic_ || backupTask_) {
        return;
    }
    refusal_.reset();
    if (const auto holder = RunLock::holder(runLockPath_)) {
        refusal_ = ProtectionMessages::backupRunningElsewhere(*holder);
        Log::backup().info(QStringLiteral("backup not started: ") + *refusal_);
        return;
    }
    if (!checkFullDiskAccess()) {
        Log::backup().error(QStringLiteral("backup refused: Full Disk Access missing"));
        return;
    }
    BackupInputs inputs{{model_.platform().folders.home},
                        model_.scope().effectiveExcludes(model_.excludes()),
                        model_.uploadLimitKiBps()};
    auto handle = enqueue(RepositoryOperation::backup, [this, inputs](std::stop_token stop) {
        return runBackup(inputs, std::move(stop));
    });
    if (!handle->isFinished()) {
        backupTask_ = handle;
        emit backupTaskChanged();
    }
}

void BackupController::cancelBackup() {
    if (backupTask_) {
        cancelledByUser_ = true;
        backupTask_->cancel();
        // restic may take a while to wind down: the wait is said, not left looking like progress.
        if (model_.baseStatus().kind == AppStatus::Kind::backingUp) {
            model_.setBaseStatus(backingUpStatus(model_.baseStatus().progress, stoppingNotice()));
        }
    }
}

void BackupController::cancelCurrentOperation() {
    if (queue_.currentOperation()) {
        cancelledByUser_ = true;
        queue_.cancelCurrent();
    }
}

void BackupController::cancelAll() {
    if (listing_) {
        listing_->cancel();
    }
    queue_.cancelAll();
}

std::unique_ptr<RunLock> BackupController::takeRunLock() {
    auto lock = RunLock::acquire(runLockPath_, runLockHolder);
    if (!lock) {
        refusal_ = ProtectionMessages::backupRunningElsewhere(
            RunLock::holder(runLockPath_).value_or(RunLock::Holder::app));
        Log::backup().info(QStringLiteral("backup not started: ") + *refusal_);
    }
    return lock;
}

std::shared_ptr<OperationHandle> BackupController::enqueue(RepositoryOperation operation,
                                                           OperationBody body) {
    return queue_.enqueue(operation, std::move(body));
}

QCoro::Task<void> BackupController::whenIdle() {
    while (!queue_.isIdle() || (listing_ && !listing_->isFinished())) {
        co_await queue_.whenIdle();
        if (listing_ && !listing_->isFinished()) {
            const auto listing = listing_;
            co_await OperationHandle::wait(listing);
        }
    }
}

void BackupController::recordSummary(const BackupSummary& summary, const QDateTime& started,
                                     qsizetype warningCount, qint64 excludeCount) {
    recordLastBackup(started);
    Log::backup().info(QStringLiteral("summary: +%1 bytes, %2 warnings, %3 excludes")
                           .arg(summary.dataAddedPacked.value_or(summary.dataAdded))
                           .arg(warningCount)
                           .arg(excludeCount));
    model_.setLastBackupExcludeCount(excludeCount);
}

bool BackupController::settleFailedBackup(const std::exception_ptr& failure, bool gaveUp, bool stopRequested,
                                          const QString& provider, QList<BackupWarning>& warnings) {
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        if (error.isCommandFailure(ResticError::Kind::backupSourceUnreadable)) {
            Log::backup().info(QStringLiteral("partial success: some sources unreadable (exit 3)"));
            warnings = partialSuccessWarnings(warnings, error.exitStatus()->stderrText);
            return true;
        }
        Log::backup().error(QStringLiteral("failed: ") + error.backupFailureMessage());
        recordFailure(error.backupFailureMessage());
    } catch (const std::exception& error) {
        if (gaveUp && !stopRequested) {
            recordFailure(BackupStallWatch::gaveUpSentence(provider));
        } else if (stopRequested || dynamic_cast<const OperationCancelled*>(&error)) {
            // Whatever restic's exit code: the user, a quit or the program's interruption asked for it.
            Log::backup().info(QStringLiteral("cancelled by user or quit"));
            model_.setBaseStatus(model_.settledStatus());
        } else {
            Log::backup().error(QStringLiteral("failed: ") + QString::fromUtf8(error.what()));
            recordFailure(QString::fromUtf8(error.what()));
        }
    }
    return false;
}

QCoro::Task<void> BackupController::runBackup(BackupInputs inputs, std::stop_token stop) {
    // However the backup ends, a later one is never blocked by this one's marker.
    const auto clearTask = qScopeGuard([this] { clearBackupTask(); });
    // Cancelled while it waited in the queue: it never began, so nothing is owed or recorded.
    if (stop.stop_requested()) {
        co_return;
    }
    const auto runLock = takeRunLock();
    if (!runLock) {
        co_return;
    }
    const auto restic = *restic_;
    // The backup's time is when it began, as restic stamps its snapshot.
    const auto started = model_.platform().clock->now();
    const auto excludeCount = qint64(inputs.excludes.size());
    const auto provider = configuredProvider_ ? configuredProvider_->shownName() : tr("the storage");
    cancelledByUser_ = false;
    model_.setLastBackupUnfinished(true);
    model_.setBaseStatus(AppStatus::backingUp({}));
    // Half an hour without progress ends the backup as a failure; the user's stop ends it as a cancel.
    std::stop_source giveUp;
    const std::stop_callback passStopOn(stop, [&giveUp] { giveUp.request_stop(); });
    bool gaveUp = false;
    BackupProgress progress;
    BackupStallWatch stallWatch(
        *model_.platform().clock,
        [this, &progress, &giveUp, provider](bool stalled) {
            if (!giveUp.stop_requested()) {
                model_.setBaseStatus(backingUpStatus(
                    progress, stalled ? BackupStallWatch::retryingSentence(provider) : QString()));
            }
        },
        [&giveUp, &gaveUp] {
            gaveUp = true;
            Log::backup().error(QStringLiteral("no progress for %1 minutes — giving up")
                                    .arg(BackupStallWatch::giveUpAfterSeconds / 60));
            giveUp.request_stop();
        });
    QList<BackupWarning> warnings;
    const auto ended = co_await failureOfEach(
        restic.backup(Restic::backupArguments(inputs.excludes, inputs.uploadLimitKiBps, inputs.sources),
                      giveUp.get_token()),
        [&](const BackupEvent& event) {
            stallWatch.observe(event);
            if (const auto* status = std::get_if<BackupStatus>(&event)) {
                progress = progressOf(*status);
                model_.setBaseStatus(backingUpStatus(
                    progress,
                    stallWatch.isStalled() ? BackupStallWatch::retryingSentence(provider) : QString()));
            } else if (const auto* record = std::get_if<BackupErrorMessage>(&event)) {
                logWarning(*record);
                warnings.append(classifyWarning(*record));
            } else if (const auto* summary = std::get_if<BackupSummary>(&event)) {
                recordSummary(*summary, started, warnings.size(), excludeCount);
            }
        });
    const bool succeeded = !ended.exception || settleFailedBackup(ended.exception, gaveUp,
                                                                  stop.stop_requested(), provider, warnings);
    // Only a quit (or shutdown) leaves the backup owed: the next launch runs it again.
    if (!stop.stop_requested() || cancelledByUser_) {
        model_.setLastBackupUnfinished(false);
    }
    if (succeeded) {
        co_await finishSucceededBackup(warnings, stop);
    }
}

QCoro::Task<void> BackupController::finishSucceededBackup(QList<BackupWarning> warnings,
                                                          std::stop_token stop) {
    model_.setLastBackupFailure(std::nullopt);
    model_.setLastBackupWarnings(warnings);
    model_.setBaseStatus(model_.settledStatus());
    co_await PostBackupMaintenance::run(&model_, *restic_, stop);
    if (!stop.stop_requested()) {
        co_await refreshRepositoryState();
        emit backupSucceeded();
    }
}

QList<BackupWarning> BackupController::partialSuccessWarnings(QList<BackupWarning> warnings,
                                                              const QString& stderrText) {
    for (auto line : stderrText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        const auto event = ResticJson::decodeBackupEvent(line.toUtf8());
        if (const auto* record = event ? std::get_if<BackupErrorMessage>(&*event) : nullptr) {
            logWarning(*record);
            warnings.append(classifyWarning(*record));
        }
    }
    warnings = withoutDuplicates(warnings);
    if (warnings.isEmpty()) {
        Log::backup().info(QStringLiteral("exit 3 without error records; stderr: ") + stderrText.trimmed());
        warnings.append({BackupWarning::Kind::other, std::nullopt});
    }
    const bool privacy = std::any_of(warnings.begin(), warnings.end(), [](const BackupWarning& warning) {
        return warning.kind == BackupWarning::Kind::privacyProtected;
    });
    if (privacy) {
        Log::backup().info(
            QStringLiteral("privacy-protected paths skipped; Full Disk Access probe: ") +
            (fullDiskAccessProbe() ? QStringLiteral("granted") : QStringLiteral("not granted")));
    }
    return warnings;
}

void BackupController::recordFailure(const QString& message) {
    model_.setLastBackupFailure(message);
    model_.setBaseStatus(AppStatus::error(message));
}

void BackupController::recordLastBackup(const std::optional<QDateTime>& date) {
    model_.setLastBackup(date);
    auto& settings = *model_.platform().settings;
    if (date) {
        settings.setValue(SettingsKeys::lastKnownBackupDate, *date);
    } else {
        settings.remove(SettingsKeys::lastKnownBackupDate);
    }
}

void BackupController::clearBackupTask() {
    if (backupTask_) {
        backupTask_ = nullptr;
        emit backupTaskChanged();
    }
}

bool BackupController::checkFullDiskAccess() {
    const bool granted = fullDiskAccessProbe();
    const auto kind = model_.baseStatus().kind;
    if (kind == AppStatus::Kind::backingUp) {
        return granted;
    }
    if (granted) {
        if (kind == AppStatus::Kind::fullDiskAccessRequired) {
            Log::backup().info(QStringLiteral("Full Disk Access granted — resuming"));
            model_.setBaseStatus(model_.settledStatus());
        }
        return true;
    }
    if (kind != AppStatus::Kind::fullDiskAccessRequired) {
        Log::backup().error(
            QStringLiteral("Full Disk Access missing — backups refused until granted (#127); ") +
            codeIdentity());
        model_.setBaseStatus(AppStatus::fullDiskAccessRequired());
    }
    return false;
}

QCoro::Task<TaskFailure> BackupController::refreshRepositoryState(std::stop_token stop) {
    if (!restic_) {
        co_return TaskFailure{};
    }
    const auto restic = *restic_;
    // A failed listing leaves the history as it was; the stored size is still asked for.
    auto listed = co_await outcomeOf(restic.snapshots({}, std::nullopt, stop));
    if (stop.stop_requested()) {
        co_return TaskFailure{};
    }
    std::optional<QList<Snapshot>> snapshots;
    if (listed.succeeded()) {
        snapshots = std::move(listed.value());
    } else {
        logRefreshFailure("listing the backups", listed.failure());
    }
    const TaskFailure listingFailure{listed.failure()};
    auto storageUsed = restic.stats(StatsMode::rawData, std::nullopt, stop);
    auto stats = model_.stats();
    if (snapshots) {
        listedSnapshots_ = snapshots;
        const auto newest =
            std::max_element(snapshots->begin(), snapshots->end(),
                             [](const Snapshot& a, const Snapshot& b) { return a.time < b.time; });
        recordLastBackup(newest != snapshots->end() ? std::optional<QDateTime>(newest->time) : std::nullopt);
        model_.setRecentBackups(
            RecentBackup::build(*snapshots, model_.lastBackupWarnings(), model_.lastBackupExcludeCount(), 5));
        const auto base = model_.baseStatus().kind;
        if (base == AppStatus::Kind::needsSetup || base == AppStatus::Kind::credentialsUnavailable) {
            model_.setBaseStatus(model_.settledStatus());
        }
        if (newest != snapshots->end()) {
            const auto& summary = newest->summary;
            if (summary && summary->totalBytesProcessed && summary->totalFilesProcessed) {
                stats.protectedBytes = CheckedNumber::fromUnsigned(*summary->totalBytesProcessed);
                stats.fileCount = CheckedNumber::fromUnsigned(*summary->totalFilesProcessed);
            } else {
                const std::optional<QString> latest = QStringLiteral("latest");
                const auto restoreSize =
                    co_await outcomeOf(restic.stats(StatsMode::restoreSize, latest, stop));
                if (restoreSize.succeeded()) {
                    stats.protectedBytes = CheckedNumber::fromUnsigned(restoreSize.value().totalSize);
                    stats.fileCount = CheckedNumber::fromUnsigned(restoreSize.value().totalFileCount);
                } else if (!stop.stop_requested()) {
                    logRefreshFailure("measuring the newest backup", restoreSize.failure());
                }
            }
            model_.setStats(stats);
        }
    }
    const auto used = co_await outcomeOf(std::move(storageUsed));
    if (!used.succeeded()) {
        if (!stop.stop_requested()) {
            logRefreshFailure("measuring the storage used", used.failure());
        }
        co_return listingFailure;
    }
    auto storage = model_.storage();
    storage.sizeBytes = CheckedNumber::fromUnsigned(used.value().totalSize);
    model_.setStorage(storage);
    stats.monthlyCostEUR = configuredProvider_ && storage.sizeBytes
                               ? configuredProvider_->monthlyCost(*storage.sizeBytes)
                               : std::nullopt;
    model_.setStats(stats);
    co_return listingFailure;
}

QCoro::Task<QList<Snapshot>> BackupController::snapshots() {
    if (!restic_) {
        co_return QList<Snapshot>();
    }
    const auto restic = *restic_;
    auto list = co_await restic.snapshots();
    co_return list;
}

QCoro::Task<QList<LsEntry>> BackupController::listDirectory(QString snapshotId, QString path) {
    if (!restic_) {
        co_return QList<LsEntry>();
    }
    const auto restic = *restic_;
    QStringList paths;
    if (!path.isEmpty()) {
        paths.append(path);
    }
    auto entries = co_await restic.ls(snapshotId, paths);
    co_return entries;
}

QCoro::AsyncGenerator<RestoreEvent> BackupController::restore(QString snapshotId, QStringList paths,
                                                              QString target, RestoreConflict conflict) {
    if (!restic_) {
        return noRestore();
    }
    auto channel = std::make_shared<AsyncChannel<RestoreEvent>>();
    auto handle = enqueue(RepositoryOperation::restore, [restic = *restic_, snapshotId, paths, target,
                                                         conflict, channel](std::stop_token stop) {
        return forwardRestore(restic, snapshotId, paths, target, conflict, channel, std::move(stop));
    });
    return AsyncChannel<RestoreEvent>::read(channel, [handle] { handle->cancel(); });
}

} // namespace keldoran
