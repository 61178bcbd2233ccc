#include "check_failure_classification.h"

#include "restic_error.h"

namespace keldoran {

CheckFailureClassification classifyCheckFailure(const std::exception_ptr& error) {
    std::optional<ResticError::ExitStatus> status;
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& resticError) {
        status = resticError.exitStatus();
    } catch (...) {
    }
    if (!status) {
        return CheckFailureClassification::other;
    }
    const auto kind = status->kind();
    if (kind == ResticError::Kind::killedBySignal) {
        return CheckFailureClassification::other;
    }
    if (kind == ResticError::Kind::lockFailed) {
        return CheckFailureClassification::locked;
    }
    if (kind == ResticError::Kind::repositoryDoesNotExist || kind == ResticError::Kind::wrongPassword) {
        return CheckFailureClassification::unreachable;
    }
    const auto text = status->stderrText.toLower();
    for (const char* fragment : {"repository contains errors", "error for tree", "error for pack"}) {
        if (text.contains(QLatin1String(fragment))) {
            return CheckFailureClassification::corruption;
        }
    }
    for (const char* fragment : {"dial tcp", "no such host", "i/o timeout", "connection", "network"}) {
        if (text.contains(QLatin1String(fragment))) {
            return CheckFailureClassification::unreachable;
        }
    }
    return CheckFailureClassification::other;
}

std::optional<CheckFailureReason> recordedReason(CheckFailureClassification classification) {
    switch (classification) {
    case CheckFailureClassification::locked:
        return std::nullopt;
    case CheckFailureClassification::corruption:
        return CheckFailureReason::corruption;
    case CheckFailureClassification::unreachable:
        return CheckFailureReason::unreachable;
    case CheckFailureClassification::other:
        break;
    }
    return CheckFailureReason::other;
}

} // namespace keldoran
