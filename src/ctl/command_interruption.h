#pragma once

#include "platform/clock.h"
#include "platform/quit_signals.h"

#include <functional>
#include <memory>
#include <stop_token>

namespace keldoran {

/// What ends a keldoranctl command early: SIGINT or SIGTERM (a Ctrl-C, a kill), or its time limit. Either
/// requests the stop every restic of the command is started with, so each gets its one interrupt and is
/// waited for; the command then ends, with status 130 after a signal. One per run, shared by every
/// command.
class CommandInterruption : public QObject {
    Q_OBJECT
public:
    explicit CommandInterruption(Clock& clock);

    std::stop_token token() const { return source_.get_token(); }
    /// Gives up `seconds` from now, unless the command has ended first.
    void limitTo(int seconds);
    bool interrupted() const { return interrupted_; }
    bool timedOut() const { return timedOut_; }

    /// Called once, at the first signal, before restic is interrupted (a backup cancels itself here).
    std::function<void()> onSignal;

private:
    void stop();

    Clock& clock_;
    QuitSignals signals_;
    std::stop_source source_;
    std::unique_ptr<ClockTimer> deadline_;
    bool interrupted_ = false;
    bool timedOut_ = false;
};

} // namespace keldoran
