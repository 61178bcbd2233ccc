#pragma once

#include <coroutine>
#include <mutex>
#include <optional>

namespace keldoran {

/// How a child process ended: its exit code, or the signal that killed it.
struct ProcessEnd {
    int code = 0;
    std::optional<int> signal;
};

/// Carries one child process's exit status to the one coroutine that waits for it, whichever comes first:
/// a status that arrives before the wait is kept and returned at once.
class ProcessExitSignal {
public:
    /// Delivers the status; called once, when the process has ended.
    void exited(ProcessEnd end);

    class Awaiter {
    public:
        explicit Awaiter(ProcessExitSignal& signal)
            : signal_(signal) {}
        bool await_ready() const noexcept { return false; }
        bool await_suspend(std::coroutine_handle<> waiter);
        ProcessEnd await_resume() const;

    private:
        ProcessExitSignal& signal_;
    };

    /// Suspends until the status is known and returns it.
    Awaiter wait() { return Awaiter(*this); }

private:
    mutable std::mutex lock_;
    std::optional<ProcessEnd> status_;
    std::coroutine_handle<> continuation_;
};

} // namespace keldoran
