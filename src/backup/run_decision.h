#pragma once

#include "model/backup_frequency.h"

#include <optional>
#include <QDateTime>

namespace keldoran {

/// Why a scheduled backup does not run now.
enum class RunReason {
    notConfigured,
    paused,
    pauseExpired,
    notDue,
    onBattery,
    offline,
    metered,
    busy,
    locked
};

/// The reason as log lines and keldoranctl show it: "notConfigured", "paused", ...
QString reasonName(RunReason reason);

/// Everything the scheduled-backup rules look at, read by whichever front end asks.
struct RunInputs {
    bool configured = false;
    bool paused = false;
    /// The end of a timed pause; none for an indefinite one.
    std::optional<QDateTime> pauseUntil;
    /// The last successful backup; none before the first.
    std::optional<QDateTime> lastBackup;
    BackupFrequency frequency = BackupFrequency::hourly;
    /// How long before the exact due time a backup may already start: the agent ticks every 15 minutes
    /// and runs a backup that would fall due before its next tick.
    qint64 earlySeconds = 0;
    bool onBattery = false;
    bool backupOnBattery = true;
    bool online = true;
    bool metered = false;
    bool backupOnMetered = false;
    /// This process runs or has queued a repository operation.
    bool busy = false;
    /// Another process holds the run lock.
    bool locked = false;
};

/// The one answer to "should a scheduled backup start now?": run, skip (for a reason that only an event
/// ends), or defer until a known time. A timed pause that has ended is reported as expired: the caller
/// ends it before anything else.
struct RunDecision {
    enum class Kind { run, skip, defer };
    Kind kind = Kind::run;
    /// pauseExpired with run; the blocking reason with skip and defer.
    std::optional<RunReason> reason;
    /// When to look again, with defer.
    std::optional<QDateTime> until;
    /// The timed pause has ended; the caller ends it (whatever the kind).
    bool pauseExpired = false;

    bool operator==(const RunDecision&) const = default;
    static RunDecision run(bool pauseExpired = false);
    static RunDecision skip(RunReason reason, bool pauseExpired = false);
    static RunDecision defer(RunReason reason, QDateTime until, bool pauseExpired = false);
};

/// The rules in their order: configured, the pause, due, power, network, metered network, this process
/// busy, another process writing.
RunDecision decideRun(const RunInputs& inputs, const QDateTime& now);

/// When the next scheduled backup falls due: the last one plus the interval, less the allowed early
/// start; now when there has been none.
QDateTime dueTime(const RunInputs& inputs, const QDateTime& now);

} // namespace keldoran
