#include "check_failure_reason.h"

#include "base/raw_values.h"

namespace keldoran {

namespace {

constexpr RawValues reasons{std::array{std::pair{CheckFailureReason::corruption, "corruption"},
                                       std::pair{CheckFailureReason::unreachable, "unreachable"},
                                       std::pair{CheckFailureReason::other, "other"}}};

} // namespace

QString rawValue(CheckFailureReason reason) {
    return reasons.text(reason);
}

std::optional<CheckFailureReason> checkFailureReasonFromRaw(const QString& raw) {
    return reasons.parse(raw);
}

} // namespace keldoran
