#pragma once

#include "check_failure_reason.h"

#include <exception>

namespace keldoran {

/// How a failed `restic check` is judged: skipped because another process holds the lock, or failed.
enum class CheckFailureClassification { locked, corruption, unreachable, other };

/// Sorts any error thrown by the check into a classification.
CheckFailureClassification classifyCheckFailure(const std::exception_ptr& error);

/// The reason to record for a classification; none for a skipped (locked) check.
std::optional<CheckFailureReason> recordedReason(CheckFailureClassification classification);

} // namespace keldoran
