#pragma once

#include <optional>
#include <QString>

namespace keldoran {

/// Why the last integrity check failed; persisted by its raw text.
enum class CheckFailureReason { corruption, unreachable, other };

QString rawValue(CheckFailureReason reason);
std::optional<CheckFailureReason> checkFailureReasonFromRaw(const QString& raw);

} // namespace keldoran
