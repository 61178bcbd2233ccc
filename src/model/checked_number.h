#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <QtGlobal>

namespace keldoran {

/// Conversions into qint64 that refuse what does not fit instead of wrapping (or, from a double, being
/// undefined): restic counts are unsigned 64-bit, stored JSON numbers are doubles.
namespace CheckedNumber {

inline std::optional<qint64> fromUnsigned(quint64 value) {
    return value <= quint64(std::numeric_limits<qint64>::max()) ? std::optional<qint64>(qint64(value))
                                                                : std::nullopt;
}

inline std::optional<qint64> fromUnsigned(const std::optional<quint64>& value) {
    return value ? fromUnsigned(*value) : std::nullopt;
}

/// A whole number within qint64's range; none for a fraction, NaN, an infinity or anything beyond ±2^63.
inline std::optional<qint64> fromWholeDouble(double value) {
    constexpr double limit = 9223372036854775808.0; // 2^63, exact as a double
    if (!std::isfinite(value) || value != std::floor(value) || value < -limit || value >= limit) {
        return std::nullopt;
    }
    return qint64(value);
}

} // namespace CheckedNumber

} // namespace keldoran
