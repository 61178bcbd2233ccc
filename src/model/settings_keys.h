#pragma once

#include "platform/settings_store.h"

#include <QString>

namespace keldoran {

/// Every key the application persists, with what it holds. A value that is absent or cannot be read
/// as its type counts as absent: a key with a default (`SettingsStore::read`) then reads as that default,
/// and the others as none, or as the default of the blob's own decoder.
namespace SettingsKeys {
// AppModel
inline const SettingWithDefault<bool> isPaused{QStringLiteral("isPaused"), false};
inline const QString pauseUntilDate = QStringLiteral("pauseUntilDate");                 // date, none
inline const QString lastCheckedDate = QStringLiteral("lastCheckedDate");               // date, none
inline const QString lastCheckFailureReason = QStringLiteral("lastCheckFailureReason"); // text, none
inline const QString lastCheckFailed = QStringLiteral("lastCheckFailed");     // bool, read only (older form)
inline const QString lastBackupFailure = QStringLiteral("lastBackupFailure"); // text, none
// Set while a backup runs; still set at launch when quit, shutdown or a crash interrupted it.
inline const SettingWithDefault<bool> backupUnfinished{QStringLiteral("backupUnfinished"), false};
inline const QString lastBackupExcludeCount = QStringLiteral("lastBackupExcludeCount"); // integer, none
// History and statistics (JSON blobs)
inline const QString lastBackupWarnings = QStringLiteral("lastBackupWarnings"); // [{"kind","path"}], []
inline const QString statsCache = QStringLiteral("statsCache"); // {"protectedBytes",...}, none
// Preferences, storage and scope (JSON blobs)
inline const QString preferences = QStringLiteral("preferences");               // Preferences, defaults
inline const QString storageConfig = QStringLiteral("storageConfig");           // StorageConfig, none
inline const QString excludedScopePaths = QStringLiteral("excludedScopePaths"); // [path], []
// Hidden folders (or folders inside them) the user chose to back up after all.
inline const QString keptHiddenPaths = QStringLiteral("keptHiddenPaths"); // [path], []
// Maintenance
inline const QString lastPruneDate = QStringLiteral("lastPruneDate");               // date, distant past
inline const QString lastCacheCleanupDate = QStringLiteral("lastCacheCleanupDate"); // date, distant past
// The weekly check reads one 52nd of the data, a different one each week: the last share read (1–52).
// None yet reads as 0, so the first share read is 1.
inline const SettingWithDefault<qint64> checkDataSubset{QStringLiteral("checkDataSubset"), 0};
// The newest backup the controller has seen: lets the background agent see that nothing is due
// without asking the repository (restic's key derivation alone costs most of a second).
inline const QString lastKnownBackupDate = QStringLiteral("lastKnownBackupDate"); // date, none
// Desktop notifications: whether to send them, and the reasons already told about until they clear.
inline const SettingWithDefault<bool> notificationsEnabled{QStringLiteral("notificationsEnabled"), true};
inline const QString notifiedReasons = QStringLiteral("notifiedReasons"); // [reason], []
// The last restore's outcome, told in the popover after its window has gone (JSON blob)
inline const QString lastRestore = QStringLiteral("lastRestore"); // {"kind","finished","message"}, none
// Setup
inline const SettingWithDefault<bool> hasCompletedOnboarding{QStringLiteral("hasCompletedOnboarding"), false};
inline const QString onboardingDefaultProvider = QStringLiteral("onboardingDefaultProvider"); // provider id
} // namespace SettingsKeys

} // namespace keldoran
