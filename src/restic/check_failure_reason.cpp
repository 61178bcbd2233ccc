#include "check_failure_reason.h"

QString rawValue(CheckFailureReason reason) {
    switch (reason) {
    case CheckFailureReason::corruption:
        return QStringLiteral("corruption");
    case CheckFailureReason::unreachable:
        return QStringLiteral("unreachable");
    case CheckFailureReason::other:
        break;
    }
    return QStringLiteral("other");
}

std::optional<CheckFailureReason> checkFailureReasonFromRaw(const QString& raw) {
    for (auto reason :
         {CheckFailureReason::corruption, CheckFailureReason::unreachable, CheckFailureReason::other}) {
        if (rawValue(reason) == raw) {
            return reason;
        }
    }
    return std::nullopt;
}
