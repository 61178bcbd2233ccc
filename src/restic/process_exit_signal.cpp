#include "process_exit_signal.h"

#include <utility>

namespace keldoran {

void ProcessExitSignal::exited(ProcessEnd end) {
    std::coroutine_handle<> continuation;
    {
        std::lock_guard guard(lock_);
        status_ = end;
        continuation = std::exchange(continuation_, {});
    }
    // Resumed outside the lock: the waiter may immediately wait on another signal.
    if (continuation) {
        continuation.resume();
    }
}

bool ProcessExitSignal::Awaiter::await_suspend(std::coroutine_handle<> waiter) {
    std::lock_guard guard(signal_.lock_);
    if (signal_.status_) {
        return false;
    }
    signal_.continuation_ = waiter;
    return true;
}

ProcessEnd ProcessExitSignal::Awaiter::await_resume() const {
    std::lock_guard guard(signal_.lock_);
    return *signal_.status_;
}

} // namespace keldoran
