#pragma once

#include "backup_frequency.h"
#include "exclude_item.h"
#include "platform/settings_store.h"

#include <optional>
#include <QList>
#include <QStringList>

namespace keldoran {

/// The user's settings, persisted as one JSON record under "preferences".
struct Preferences {
    BackupFrequency frequency = BackupFrequency::hourly;
    bool backupOnBattery = true;
    /// Whether backups (and the check and prune after them) may use a metered connection.
    bool backupOnMetered = false;
    QList<ExcludeItem> excludes;
    /// KiB per second; none means unlimited.
    std::optional<qint64> uploadLimitKiBps;
    /// Default exclusions already given to the user, so a deleted default stays deleted.
    std::optional<QStringList> seenDefaultExcludePaths;
    bool operator==(const Preferences&) const = default;

    QByteArray encoded() const;
    /// None when a required key is missing or any value does not decode.
    static std::optional<Preferences> decoded(const QByteArray& json);

    static std::optional<Preferences> load(const SettingsStore& settings);
    void save(SettingsStore& settings) const;

    /// The stored record (or the defaults), with the default exclusions reconciled; written back when
    /// nothing was stored or reconciling changed it.
    static Preferences loadReconciled(SettingsStore& settings);
};

} // namespace keldoran
