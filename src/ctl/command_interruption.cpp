#include "command_interruption.h"

namespace keldoran {

CommandInterruption::CommandInterruption(Clock& clock)
    : clock_(clock) {
    connect(&signals_, &QuitSignals::quitRequested, this, [this] {
        if (std::exchange(interrupted_, true)) {
            return;
        }
        if (onSignal) {
            onSignal();
        }
        stop();
    });
}

void CommandInterruption::limitTo(int seconds) {
    deadline_ = clock_.callAt(clock_.now().addSecs(seconds), [this] {
        timedOut_ = !interrupted_;
        stop();
    });
}

void CommandInterruption::stop() {
    deadline_.reset();
    source_.request_stop();
}

} // namespace keldoran
