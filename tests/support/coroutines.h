#pragma once

#include <exception>
#include <optional>
#include <qcoro/qcoroasyncgenerator.h>
#include <qcoro/qcorotask.h>
#include <QEventLoop>
#include <QList>

namespace keldoran {

/// Drains a stream into a list; `error` receives the exception the stream ended with, if any.
template <typename T>
QCoro::Task<QList<T>> collect(QCoro::AsyncGenerator<T> stream, std::exception_ptr* error = nullptr) {
    QList<T> items;
    try {
        // QCORO_FOREACH does not compile inside a template with g++ 12: spell the loop out.
        auto it = co_await stream.begin();
        while (it != stream.end()) {
            items.append(*it);
            auto next = ++it;
            co_await next;
        }
    } catch (...) {
        if (!error) {
            throw;
        }
        *error = std::current_exception();
    }
    co_return items;
}

namespace detail {
template <typename T>
QCoro::Task<void> settle(QCoro::Task<T> task, std::optional<T>* result, std::exception_ptr* error, bool* done,
                         QEventLoop* loop) {
    try {
        auto value = co_await task;
        result->emplace(std::move(value));
    } catch (...) {
        *error = std::current_exception();
    }
    *done = true;
    loop->quit();
}

inline QCoro::Task<void> settle(QCoro::Task<void> task, std::optional<bool>* result,
                                std::exception_ptr* error, bool* done, QEventLoop* loop) {
    try {
        co_await task;
        result->emplace(true);
    } catch (...) {
        *error = std::current_exception();
    }
    *done = true;
    loop->quit();
}
} // namespace detail

/// Runs a task to completion in a nested event loop and returns its value or rethrows its exception.
/// Tests only. (QCoro 0.8's own waitFor never returns when the task throws.)
template <typename T> auto await(QCoro::Task<T>&& task) {
    using Stored = std::conditional_t<std::is_void_v<T>, bool, T>;
    std::optional<Stored> result;
    std::exception_ptr error;
    bool done = false;
    QEventLoop loop;
    detail::settle(std::move(task), &result, &error, &done, &loop);
    if (!done) {
        loop.exec();
    }
    if (error) {
        std::rethrow_exception(error);
    }
    if constexpr (!std::is_void_v<T>) {
        return std::move(*result);
    }
}

/// The exception a task ended with, or null.
template <typename T> std::exception_ptr failureOf(QCoro::Task<T>&& task) {
    try {
        await(std::move(task));
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace keldoran
