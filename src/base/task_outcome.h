#pragma once

#include <exception>
#include <optional>
#include <qcoro/qcoroasyncgenerator.h>
#include <qcoro/qcorotask.h>
#include <utility>

namespace keldoran {

/// What an awaited task gave: its value, or the failure it ended with. A coroutine may not co_await in
/// a catch handler, so it awaits `outcomeOf(task)` and handles the failure after the await instead.
template <typename T> class TaskOutcome {
public:
    explicit TaskOutcome(T value)
        : value_(std::move(value)) {}
    explicit TaskOutcome(std::exception_ptr failure)
        : failure_(std::move(failure)) {}

    bool succeeded() const { return !failure_; }
    const std::exception_ptr& failure() const { return failure_; }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    /// The value, or the failure thrown again.
    T take() {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        return std::move(*value_);
    }

private:
    std::optional<T> value_;
    std::exception_ptr failure_;
};

template <typename T> QCoro::Task<TaskOutcome<T>> outcomeOf(QCoro::Task<T> task) {
    std::optional<T> value;
    std::exception_ptr failure;
    try {
        value = co_await std::move(task);
    } catch (...) {
        failure = std::current_exception();
    }
    co_return failure ? TaskOutcome<T>(failure) : TaskOutcome<T>(std::move(*value));
}

/// The failure an awaited task ended with, if any; its value, if any, is not wanted.
struct TaskFailure {
    std::exception_ptr exception;

    explicit operator bool() const { return bool(exception); }
};

template <typename T> QCoro::Task<TaskFailure> failureOf(QCoro::Task<T> task) {
    TaskFailure failure;
    try {
        co_await std::move(task);
    } catch (...) {
        failure.exception = std::current_exception();
    }
    co_return failure;
}

/// Hands every item of a stream to `onEach`, in order; answers the failure the stream ended with, if
/// any. `onEach` runs before the next item is read and must not outlive the await.
template <typename T, typename OnEach>
QCoro::Task<TaskFailure> failureOfEach(QCoro::AsyncGenerator<T> stream, OnEach onEach) {
    TaskFailure failure;
    try {
        auto item = co_await stream.begin();
        while (item != stream.end()) {
            onEach(*item);
            co_await ++item;
        }
    } catch (...) {
        failure.exception = std::current_exception();
    }
    co_return failure;
}

} // namespace keldoran
