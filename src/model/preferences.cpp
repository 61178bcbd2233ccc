#include "preferences.h"

#include "base/raw_values.h"
#include "checked_number.h"
#include "scope/default_excludes.h"
#include "settings_keys.h"

#include <cmath>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

namespace {

constexpr RawValues frequencies{std::array{std::pair{BackupFrequency::hourly, "hourly"},
                                           std::pair{BackupFrequency::sixHourly, "sixHourly"},
                                           std::pair{BackupFrequency::daily, "daily"}}};

} // namespace

QString rawValue(BackupFrequency frequency) {
    return frequencies.text(frequency);
}

std::optional<BackupFrequency> backupFrequencyFromRaw(const QString& raw) {
    return frequencies.parse(raw);
}

qint64 intervalSeconds(BackupFrequency frequency) {
    switch (frequency) {
    case BackupFrequency::hourly:
        return 3600;
    case BackupFrequency::sixHourly:
        return 21600;
    case BackupFrequency::daily:
        break;
    }
    return 86400;
}

QByteArray Preferences::encoded() const {
    QJsonArray items;
    for (const auto& item : excludes) {
        items.append(QJsonObject{{QStringLiteral("id"), item.id.toString(QUuid::WithoutBraces).toUpper()},
                                 {QStringLiteral("path"), item.path}});
    }
    QJsonObject object{
        {QStringLiteral("frequency"), rawValue(frequency)},
        {QStringLiteral("backupOnBattery"), backupOnBattery},
        {QStringLiteral("backupOnMetered"), backupOnMetered},
        {QStringLiteral("excludes"), items},
    };
    if (uploadLimitKiBps) {
        object.insert(QStringLiteral("uploadLimitKiBps"), double(*uploadLimitKiBps));
    }
    if (seenDefaultExcludePaths) {
        object.insert(QStringLiteral("seenDefaultExcludePaths"),
                      QJsonArray::fromStringList(*seenDefaultExcludePaths));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<Preferences> Preferences::decoded(const QByteArray& json) {
    const auto document = QJsonDocument::fromJson(json);
    const auto object = document.object();
    const auto frequency = backupFrequencyFromRaw(object.value(QLatin1String("frequency")).toString());
    const auto battery = object.value(QLatin1String("backupOnBattery"));
    const auto items = object.value(QLatin1String("excludes"));
    if (!document.isObject() || !frequency || !battery.isBool() || !items.isArray()) {
        return std::nullopt;
    }
    Preferences preferences;
    preferences.frequency = *frequency;
    preferences.backupOnBattery = battery.toBool();
    // Absent in records written before the switch existed.
    const auto metered = object.value(QLatin1String("backupOnMetered"));
    if (metered.isBool()) {
        preferences.backupOnMetered = metered.toBool();
    } else if (!metered.isUndefined()) {
        return std::nullopt;
    }
    for (const auto& element : items.toArray()) {
        const auto item = element.toObject();
        const auto id = QUuid::fromString(item.value(QLatin1String("id")).toString());
        const auto path = item.value(QLatin1String("path"));
        if (id.isNull() || !path.isString()) {
            return std::nullopt;
        }
        preferences.excludes.append({id, path.toString()});
    }
    const auto limit = object.value(QLatin1String("uploadLimitKiBps"));
    if (limit.isDouble() && limit.toDouble() == std::floor(limit.toDouble())) {
        preferences.uploadLimitKiBps = CheckedNumber::fromWholeDouble(limit.toDouble());
    } else if (!limit.isUndefined() && !limit.isNull()) {
        return std::nullopt;
    }
    const auto seen = object.value(QLatin1String("seenDefaultExcludePaths"));
    if (seen.isArray()) {
        QStringList paths;
        for (const auto& path : seen.toArray()) {
            if (!path.isString()) {
                return std::nullopt;
            }
            paths.append(path.toString());
        }
        preferences.seenDefaultExcludePaths = paths;
    } else if (!seen.isUndefined() && !seen.isNull()) {
        return std::nullopt;
    }
    return preferences;
}

std::optional<Preferences> Preferences::load(const SettingsStore& settings) {
    const auto blob = settings.dataValue(SettingsKeys::preferences);
    return blob ? decoded(*blob) : std::nullopt;
}

void Preferences::save(SettingsStore& settings) const {
    settings.setValue(SettingsKeys::preferences, encoded());
}

Preferences Preferences::loadReconciled(SettingsStore& settings) {
    const auto stored = load(settings);
    auto preferences = reconcileDefaultExcludes(stored.value_or(Preferences{}));
    if (!stored || *stored != preferences) {
        preferences.save(settings);
    }
    return preferences;
}

} // namespace keldoran
