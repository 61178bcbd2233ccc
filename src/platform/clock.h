#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <qcoro/qcorotask.h>
#include <QDateTime>
#include <stop_token>

namespace keldoran {

/// A pending call made by a Clock; destroying it cancels the call.
class ClockTimer {
public:
    virtual ~ClockTimer() = default;
};

/// The current time, and calls at a wall-clock time. Injected so that time-based rules are testable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    /// Calls `callback` once, on the calling thread's event loop, at or soon after the wall-clock time
    /// `when` (at once when it has passed), including when the machine slept through it.
    [[nodiscard]] virtual std::unique_ptr<ClockTimer> callAt(const QDateTime& when,
                                                             std::function<void()> callback) = 0;
};

/// The system's clock. Its calls wait on the wall clock (timerfd on CLOCK_REALTIME), not on a monotonic
/// clock that stops during suspend, so a call due while the machine slept happens as soon as it wakes.
class SystemClock : public Clock {
public:
    QDateTime now() const override;
    std::unique_ptr<ClockTimer> callAt(const QDateTime& when, std::function<void()> callback) override;
};

/// Waits `duration` on `clock`; answers false when `stop` was requested first. Resumes on a later turn
/// of the event loop.
QCoro::Task<bool> sleepFor(Clock* clock, std::chrono::milliseconds duration, std::stop_token stop);

} // namespace keldoran
