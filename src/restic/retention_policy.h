#pragma once

#include <optional>

namespace keldoran {

/// Which snapshots `restic forget` keeps; an empty rule is not passed.
struct RetentionPolicy {
    std::optional<int> keepLast;
    std::optional<int> keepHourly;
    std::optional<int> keepDaily;
    std::optional<int> keepWeekly;
    std::optional<int> keepMonthly;
    std::optional<int> keepYearly;
    std::optional<int> keepWithinDays;

    /// The one policy the system applies: 24 hourly, 30 daily and 12 monthly snapshots. Not adjustable.
    static const RetentionPolicy& standard() {
        static const RetentionPolicy policy{std::nullopt, 24,           30,          std::nullopt,
                                            12,           std::nullopt, std::nullopt};
        return policy;
    }
};

} // namespace keldoran
