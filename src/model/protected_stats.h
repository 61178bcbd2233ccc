#pragma once

#include <optional>
#include <QtGlobal>

namespace keldoran {

/// What the newest snapshot protects and what storing the repository costs.
struct ProtectedStats {
    std::optional<qint64> protectedBytes;
    std::optional<qint64> fileCount;
    std::optional<double> monthlyCostEUR;
    bool operator==(const ProtectedStats&) const = default;
};

} // namespace keldoran
