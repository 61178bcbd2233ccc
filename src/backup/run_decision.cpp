#include "run_decision.h"

namespace keldoran {

QString reasonName(RunReason reason) {
    switch (reason) {
    case RunReason::notConfigured:
        return QStringLiteral("notConfigured");
    case RunReason::paused:
        return QStringLiteral("paused");
    case RunReason::pauseExpired:
        return QStringLiteral("pauseExpired");
    case RunReason::notDue:
        return QStringLiteral("notDue");
    case RunReason::onBattery:
        return QStringLiteral("onBattery");
    case RunReason::offline:
        return QStringLiteral("offline");
    case RunReason::metered:
        return QStringLiteral("metered");
    case RunReason::busy:
        return QStringLiteral("busy");
    case RunReason::locked:
        break;
    }
    return QStringLiteral("locked");
}

RunDecision RunDecision::run(bool pauseExpired) {
    return {Kind::run, pauseExpired ? std::optional(RunReason::pauseExpired) : std::nullopt, std::nullopt,
            pauseExpired};
}

RunDecision RunDecision::skip(RunReason reason, bool pauseExpired) {
    return {Kind::skip, reason, std::nullopt, pauseExpired};
}

RunDecision RunDecision::defer(RunReason reason, QDateTime until, bool pauseExpired) {
    return {Kind::defer, reason, std::move(until), pauseExpired};
}

QDateTime dueTime(const RunInputs& inputs, const QDateTime& now) {
    if (!inputs.lastBackup) {
        return now;
    }
    return inputs.lastBackup->addSecs(intervalSeconds(inputs.frequency) - inputs.earlySeconds);
}

RunDecision decideRun(const RunInputs& inputs, const QDateTime& now) {
    if (!inputs.configured) {
        return RunDecision::skip(RunReason::notConfigured);
    }
    const bool expired = inputs.paused && inputs.pauseUntil && now >= *inputs.pauseUntil;
    if (inputs.paused && !expired) {
        if (!inputs.pauseUntil) {
            return RunDecision::skip(RunReason::paused);
        }
        // Looked at again when the pause ends, so that it ends at its time.
        return RunDecision::defer(RunReason::paused, *inputs.pauseUntil);
    }
    if (const auto due = dueTime(inputs, now); now < due) {
        return RunDecision::defer(RunReason::notDue, due, expired);
    }
    if (inputs.onBattery && !inputs.backupOnBattery) {
        return RunDecision::skip(RunReason::onBattery, expired);
    }
    if (!inputs.online) {
        return RunDecision::skip(RunReason::offline, expired);
    }
    if (inputs.metered && !inputs.backupOnMetered) {
        return RunDecision::skip(RunReason::metered, expired);
    }
    if (inputs.busy) {
        return RunDecision::skip(RunReason::busy, expired);
    }
    if (inputs.locked) {
        return RunDecision::skip(RunReason::locked, expired);
    }
    return RunDecision::run(expired);
}

} // namespace keldoran
