#include "app_model.h"

#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "backup/network_monitor.h"
#include "index/snapshot_indexer.h"
#include "logging/log.h"
#include "preferences.h"
#include "scope/backup_scope.h"
#include "scope/default_excludes.h"
#include "settings_keys.h"
#include "stats_cache.h"

#include <QSet>

namespace keldoran {

namespace {
// Stores `value` when it differs; answers whether it did.
template <typename T> bool assign(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

constexpr qint64 weekSeconds = 604800;
} // namespace

AppModel::AppModel(Platform& platform, QObject* parent)
    : QObject(parent)
    , platform_(platform) {
    load();
}

AppModel::~AppModel() = default;

BackupController& AppModel::controller() {
    if (!controller_) {
        controller_ = std::make_unique<BackupController>(*this);
    }
    return *controller_;
}

SnapshotIndexer& AppModel::snapshotIndexer() {
    if (!snapshotIndexer_) {
        snapshotIndexer_ =
            std::make_unique<SnapshotIndexer>(SnapshotIndex::folderIn(platform_.folders.caches));
    }
    return *snapshotIndexer_;
}

BackupScheduler& AppModel::scheduler() {
    if (!scheduler_) {
        scheduler_ = std::make_unique<BackupScheduler>(*this);
    }
    return *scheduler_;
}

NetworkMonitor& AppModel::networkMonitor() {
    if (!networkMonitor_) {
        networkMonitor_ = std::make_unique<NetworkMonitor>(*this);
    }
    return *networkMonitor_;
}

BackupScope& AppModel::scope() {
    if (!scope_) {
        scope_ = std::make_unique<BackupScope>(*platform_.settings, platform_.folders.home);
    }
    return *scope_;
}

void AppModel::load() {
    auto& settings = *platform_.settings;
    if (const auto blob = settings.dataValue(SettingsKeys::statsCache)) {
        if (const auto cache = StatsCache::decoded(*blob)) {
            stats_ = cache->stats();
            storage_.sizeBytes = cache->storageBytes;
        }
    }
    const auto preferences = Preferences::loadReconciled(settings);
    frequency_ = preferences.frequency;
    backupOnBattery_ = preferences.backupOnBattery;
    backupOnMetered_ = preferences.backupOnMetered;
    excludes_ = preferences.excludes;
    uploadLimitKiBps_ = preferences.uploadLimitKiBps;
    notificationsEnabled_ = settings.read(SettingsKeys::notificationsEnabled);
    seenDefaultExcludePaths_ = preferences.seenDefaultExcludePaths;

    lastChecked_ = settings.dateValue(SettingsKeys::lastCheckedDate);
    if (const auto blob = settings.dataValue(SettingsKeys::lastBackupWarnings)) {
        lastBackupWarnings_ = BackupWarning::decodeList(*blob);
    }
    lastBackupFailure_ = settings.stringValue(SettingsKeys::lastBackupFailure);
    lastBackupExcludeCount_ = settings.integerValue(SettingsKeys::lastBackupExcludeCount);
    if (const auto reason = settings.stringValue(SettingsKeys::lastCheckFailureReason)) {
        lastCheckFailure_ = checkFailureReasonFromRaw(*reason);
    } else if (settings.boolValue(SettingsKeys::lastCheckFailed) == true) {
        lastCheckFailure_ = CheckFailureReason::other; // the older Boolean form
    }
    if (const auto blob = settings.dataValue(SettingsKeys::lastRestore)) {
        lastRestore_ = RestoreOutcome::decoded(*blob);
    }
    // The last backup Keldoran recorded stands until the repository's listing answers.
    lastBackup_ = settings.dateValue(SettingsKeys::lastKnownBackupDate);
    isPaused_ = settings.read(SettingsKeys::isPaused);
    lastBackupUnfinished_ = settings.read(SettingsKeys::backupUnfinished);
    setPauseUntil(settings.dateValue(SettingsKeys::pauseUntilDate));
}

AppStatus AppModel::status() const {
    switch (baseStatus_.kind) {
    case AppStatus::Kind::backingUp:
    case AppStatus::Kind::needsSetup:
    case AppStatus::Kind::credentialsUnavailable:
    case AppStatus::Kind::fullDiskAccessRequired:
        return baseStatus_;
    default:
        break;
    }
    if (isPaused_) {
        return AppStatus::paused();
    }
    if (!isOnline_) {
        return AppStatus::offline();
    }
    return baseStatus_;
}

AppStatus AppModel::settledStatus() const {
    if (lastBackupFailure_) {
        return AppStatus::error(*lastBackupFailure_);
    }
    if (!lastBackupWarnings_.isEmpty()) {
        return AppStatus::protectedWithWarnings(lastBackupWarnings_.size());
    }
    return AppStatus::protected_();
}

AppModel::CheckHealth AppModel::checkHealth() const {
    if (lastCheckFailure_) {
        return CheckHealth::failed;
    }
    if (lastChecked_ && lastChecked_->secsTo(platform_.clock->now()) < weekSeconds) {
        return CheckHealth::verified;
    }
    return CheckHealth::overdue;
}

void AppModel::pause(PauseChoice choice, const QDateTime& now) {
    setIsPaused(true);
    switch (choice) {
    case PauseChoice::oneHour:
        setPauseUntil(now.addSecs(3600));
        break;
    case PauseChoice::untilTomorrow:
        setPauseUntil(now.toLocalTime().date().addDays(1).startOfDay());
        break;
    case PauseChoice::indefinitely:
        setPauseUntil(std::nullopt);
        break;
    }
    setPendingBackupWhileOffline(false);
}

void AppModel::resume() {
    setIsPaused(false);
    setPauseUntil(std::nullopt);
    runPendingBackupIfPossible();
}

bool AppModel::expirePauseIfDue(const QDateTime& now) {
    if (!isPaused_ || !pauseUntil_ || now < *pauseUntil_) {
        return false;
    }
    Log::lifecycle().info(QStringLiteral("timed pause expired — resuming protection"));
    setIsPaused(false);
    setPauseUntil(std::nullopt);
    runPendingBackupIfPossible();
    return true;
}

void AppModel::runPendingBackupIfPossible() {
    if (!(pendingBackupWhileOffline_ || lastBackupUnfinished_) || !isOnline_ || isPaused_ ||
        !controller().isConfigured() || baseStatus_.kind == AppStatus::Kind::backingUp) {
        return;
    }
    setPendingBackupWhileOffline(false);
    controller().startBackup();
}

void AppModel::backUpNow() {
    if (controller().isConfigured()) {
        controller().startBackup();
        return;
    }
    if (status().kind == AppStatus::Kind::credentialsUnavailable) {
        return;
    }
    emit setupRequested();
}

void AppModel::addExclusion(const QString& path) {
    // Only a leading home folder becomes "~": one deeper in the path would no longer name the folder.
    const auto& home = platform_.folders.home;
    auto tilded = path;
    if (path == home || path.startsWith(home + QLatin1Char('/'))) {
        tilded = QLatin1Char('~') + path.mid(home.size());
    }
    for (const auto& item : excludes_) {
        if (item.path == tilded) {
            return;
        }
    }
    setExcludes(excludes_ + QList<ExcludeItem>{ExcludeItem::make(tilded)});
}

void AppModel::removeExclusion(const QUuid& id) {
    auto remaining = excludes_;
    remaining.removeIf([&](const ExcludeItem& item) { return item.id == id; });
    setExcludes(remaining);
}

void AppModel::setListed(const QStringList& paths, bool listed) {
    auto changed = excludes_;
    if (!listed) {
        changed.removeIf([&](const ExcludeItem& item) { return paths.contains(item.path); });
    }
    for (const auto& path : listed ? paths : QStringList()) {
        if (std::none_of(changed.begin(), changed.end(),
                         [&](const ExcludeItem& item) { return item.path == path; })) {
            changed.append(ExcludeItem::make(path));
        }
    }
    setExcludes(changed);
}

void AppModel::restoreDefaultExcludes() {
    QSet<QString> present;
    for (const auto& item : excludes_) {
        present.insert(item.path);
    }
    auto seen = defaultExcludePaths();
    seen.sort();
    auto restored = excludes_;
    for (const auto& path : defaultExcludePaths()) {
        if (!present.contains(path)) {
            restored.append(ExcludeItem::make(path));
        }
    }
    // One write for both changes.
    const bool excludesDiffer = assign(excludes_, restored);
    const bool seenDiffers = assign(seenDefaultExcludePaths_, std::optional<QStringList>(seen));
    savePreferences();
    if (excludesDiffer) {
        emit excludesChanged();
    }
    if (seenDiffers) {
        emit seenDefaultExcludePathsChanged();
    }
}

void AppModel::recordRestore(const RestoreOutcome& outcome, bool watched) {
    if (assign(lastRestore_, std::optional(outcome))) {
        platform_.settings->setValue(SettingsKeys::lastRestore, outcome.encoded());
        emit lastRestoreChanged();
    }
    if (!watched) {
        emit restoreEndedOutOfView(outcome);
    }
}

void AppModel::savePreferences() {
    Preferences{frequency_, backupOnBattery_,  backupOnMetered_,
                excludes_,  uploadLimitKiBps_, seenDefaultExcludePaths_}
        .save(*platform_.settings);
}

void AppModel::saveStatsCache() {
    const StatsCache cache{stats_.protectedBytes, stats_.fileCount, stats_.monthlyCostEUR,
                           storage_.sizeBytes};
    platform_.settings->setValue(SettingsKeys::statsCache, cache.encoded());
}

void AppModel::saveDate(const QString& key, const std::optional<QDateTime>& date) {
    if (date) {
        platform_.settings->setValue(key, *date);
    } else {
        platform_.settings->remove(key);
    }
}

void AppModel::setBaseStatus(const AppStatus& status) {
    if (assign(baseStatus_, status)) {
        emit baseStatusChanged();
        emit statusChanged();
    }
}

void AppModel::setIsPaused(bool paused) {
    if (assign(isPaused_, paused)) {
        platform_.settings->setValue(SettingsKeys::isPaused, paused);
        emit isPausedChanged();
        emit statusChanged();
    }
}

void AppModel::setPauseUntil(const std::optional<QDateTime>& until) {
    if (assign(pauseUntil_, until)) {
        saveDate(SettingsKeys::pauseUntilDate, until);
        emit pauseUntilChanged();
    }
}

void AppModel::setIsOnline(bool online) {
    if (assign(isOnline_, online)) {
        emit isOnlineChanged();
        emit statusChanged();
    }
}

void AppModel::setPendingBackupWhileOffline(bool pending) {
    if (assign(pendingBackupWhileOffline_, pending)) {
        emit pendingBackupWhileOfflineChanged();
    }
}

void AppModel::setLastBackup(const std::optional<QDateTime>& date) {
    if (assign(lastBackup_, date)) {
        emit lastBackupChanged();
    }
}

void AppModel::setNextBackup(const std::optional<QDateTime>& date) {
    if (assign(nextBackup_, date)) {
        emit nextBackupChanged();
    }
}

void AppModel::setLastChecked(const std::optional<QDateTime>& date) {
    if (assign(lastChecked_, date)) {
        saveDate(SettingsKeys::lastCheckedDate, date);
        emit lastCheckedChanged();
    }
}

void AppModel::setLastCheckFailure(const std::optional<CheckFailureReason>& reason) {
    if (assign(lastCheckFailure_, reason)) {
        if (reason) {
            platform_.settings->setValue(SettingsKeys::lastCheckFailureReason, rawValue(*reason));
        } else {
            platform_.settings->remove(SettingsKeys::lastCheckFailureReason);
        }
        emit lastCheckFailureChanged();
    }
}

void AppModel::setStorage(const StorageSummary& storage) {
    if (assign(storage_, storage)) {
        saveStatsCache();
        emit storageChanged();
    }
}

void AppModel::setStats(const ProtectedStats& stats) {
    if (assign(stats_, stats)) {
        saveStatsCache();
        emit statsChanged();
    }
}

void AppModel::setRecentBackups(const QList<RecentBackup>& backups) {
    if (assign(recentBackups_, backups)) {
        emit recentBackupsChanged();
    }
}

void AppModel::setLastBackupWarnings(const QList<BackupWarning>& warnings) {
    if (assign(lastBackupWarnings_, warnings)) {
        platform_.settings->setValue(SettingsKeys::lastBackupWarnings, BackupWarning::encodeList(warnings));
        emit lastBackupWarningsChanged();
    }
}

void AppModel::setLastBackupFailure(const std::optional<QString>& failure) {
    if (assign(lastBackupFailure_, failure)) {
        if (failure) {
            platform_.settings->setValue(SettingsKeys::lastBackupFailure, *failure);
        } else {
            platform_.settings->remove(SettingsKeys::lastBackupFailure);
        }
        emit lastBackupFailureChanged();
    }
}

void AppModel::setLastBackupExcludeCount(const std::optional<qint64>& count) {
    if (assign(lastBackupExcludeCount_, count)) {
        if (count) {
            platform_.settings->setValue(SettingsKeys::lastBackupExcludeCount, *count);
        } else {
            platform_.settings->remove(SettingsKeys::lastBackupExcludeCount);
        }
        emit lastBackupExcludeCountChanged();
    }
}

void AppModel::setFrequency(BackupFrequency frequency) {
    if (assign(frequency_, frequency)) {
        savePreferences();
        emit frequencyChanged();
    }
}

void AppModel::setBackupOnBattery(bool allowed) {
    if (assign(backupOnBattery_, allowed)) {
        savePreferences();
        emit backupOnBatteryChanged();
    }
}

void AppModel::setBackupOnMetered(bool allowed) {
    if (assign(backupOnMetered_, allowed)) {
        savePreferences();
        emit backupOnMeteredChanged();
    }
}

void AppModel::setUploadLimitKiBps(const std::optional<qint64>& limit) {
    if (assign(uploadLimitKiBps_, limit)) {
        savePreferences();
        emit uploadLimitKiBpsChanged();
    }
}

void AppModel::setStartAtLogin(bool start) {
    if (assign(startAtLogin_, start)) {
        emit startAtLoginChanged();
    }
}

void AppModel::setExcludes(const QList<ExcludeItem>& excludes) {
    if (assign(excludes_, excludes)) {
        savePreferences();
        emit excludesChanged();
    }
}

void AppModel::setSeenDefaultExcludePaths(const std::optional<QStringList>& paths) {
    if (assign(seenDefaultExcludePaths_, paths)) {
        savePreferences();
        emit seenDefaultExcludePathsChanged();
    }
}

void AppModel::setShowActivity(bool show) {
    if (assign(showActivity_, show)) {
        emit showActivityChanged();
    }
}

void AppModel::setLastBackupUnfinished(bool unfinished) {
    if (assign(lastBackupUnfinished_, unfinished)) {
        platform_.settings->setValue(SettingsKeys::backupUnfinished, unfinished);
        emit lastBackupUnfinishedChanged();
    }
}

void AppModel::setAgentRegistrationProblem(const std::optional<QString>& problem) {
    if (assign(agentRegistrationProblem_, problem)) {
        emit agentRegistrationProblemChanged();
    }
}

void AppModel::setNotificationsEnabled(bool enabled) {
    if (assign(notificationsEnabled_, enabled)) {
        platform_.settings->setValue(SettingsKeys::notificationsEnabled, enabled);
        emit notificationsEnabledChanged();
    }
}

} // namespace keldoran
