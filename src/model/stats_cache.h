#pragma once

#include "protected_stats.h"

#include <optional>
#include <QByteArray>

namespace keldoran {

/// The last known statistics, kept so the figures show right after a relaunch. It has no age limit:
/// the next repository refresh replaces it.
struct StatsCache {
    std::optional<qint64> protectedBytes;
    std::optional<qint64> fileCount;
    std::optional<double> monthlyCostEUR;
    std::optional<qint64> storageBytes;
    bool operator==(const StatsCache&) const = default;

    ProtectedStats stats() const { return {protectedBytes, fileCount, monthlyCostEUR}; }

    /// JSON object; absent values are left out.
    QByteArray encoded() const;
    static std::optional<StatsCache> decoded(const QByteArray& json);
};

} // namespace keldoran
