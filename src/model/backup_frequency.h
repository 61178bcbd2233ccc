#pragma once

#include <optional>
#include <QString>

namespace keldoran {

/// How often scheduled backups run.
enum class BackupFrequency { hourly, sixHourly, daily };

QString rawValue(BackupFrequency frequency);
std::optional<BackupFrequency> backupFrequencyFromRaw(const QString& raw);
/// 3600, 21600 or 86400 seconds.
qint64 intervalSeconds(BackupFrequency frequency);

} // namespace keldoran
