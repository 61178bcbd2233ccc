#include "stats_cache.h"

#include "checked_number.h"

#include <cmath>
#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

namespace {

void insert(QJsonObject& object, const char* key, const std::optional<qint64>& value) {
    if (value) {
        object.insert(QLatin1String(key), double(*value));
    }
}

// A key that is present must hold a whole number; absent or null is empty.
bool readInteger(const QJsonObject& object, const char* key, std::optional<qint64>& value) {
    const auto json = object.value(QLatin1String(key));
    if (json.isUndefined() || json.isNull()) {
        return true;
    }
    const double number = json.toDouble(std::nan(""));
    if (!json.isDouble() || number != std::floor(number)) {
        return false;
    }
    // A whole number too large to be a count is shown as unknown.
    value = CheckedNumber::fromWholeDouble(number);
    return true;
}

} // namespace

QByteArray StatsCache::encoded() const {
    QJsonObject object;
    insert(object, "protectedBytes", protectedBytes);
    insert(object, "fileCount", fileCount);
    if (monthlyCostEUR) {
        object.insert(QStringLiteral("monthlyCostEUR"), *monthlyCostEUR);
    }
    insert(object, "storageBytes", storageBytes);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<StatsCache> StatsCache::decoded(const QByteArray& json) {
    const auto document = QJsonDocument::fromJson(json);
    if (!document.isObject()) {
        return std::nullopt;
    }
    const auto object = document.object();
    StatsCache cache;
    if (!readInteger(object, "protectedBytes", cache.protectedBytes) ||
        !readInteger(object, "fileCount", cache.fileCount) ||
        !readInteger(object, "storageBytes", cache.storageBytes)) {
        return std::nullopt;
    }
    const auto cost = object.value(QLatin1String("monthlyCostEUR"));
    if (cost.isDouble()) {
        cache.monthlyCostEUR = cost.toDouble();
    } else if (!cost.isUndefined() && !cost.isNull()) {
        return std::nullopt;
    }
    return cache;
}

} // namespace keldoran
