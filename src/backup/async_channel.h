#pragma once

#include <coroutine>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <qcoro/qcoroasyncgenerator.h>

namespace keldoran {

/// Carries values from a producer (an operation running in the queue) to one consumer reading them as
/// a stream. The buffer is unbounded; the stream ends when the producer finishes, with its error if any.
template <typename T> class AsyncChannel {
public:
    void push(T value) {
        items_.push_back(std::move(value));
        wakeReader();
    }

    void finish(std::exception_ptr error = nullptr) {
        finished_ = true;
        error_ = error;
        wakeReader();
    }

    bool isFinished() const { return finished_; }

    /// The consumer's side. When the consumer drops the stream before the producer finished,
    /// `onAbandoned` runs (it cancels the producer).
    static QCoro::AsyncGenerator<T> read(std::shared_ptr<AsyncChannel> channel,
                                         std::function<void()> onAbandoned) {
        const Abandonment guard{channel, std::move(onAbandoned)};
        while (true) {
            while (!channel->items_.empty()) {
                T item = std::move(channel->items_.front());
                channel->items_.pop_front();
                co_yield item;
            }
            if (channel->finished_) {
                break;
            }
            Wait wait{*channel}; // named: g++ 12 mishandles temporaries inside co_await
            co_await wait;
        }
        if (channel->error_) {
            std::rethrow_exception(channel->error_);
        }
    }

private:
    struct Wait {
        AsyncChannel& channel;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> reader) noexcept { channel.reader_ = reader; }
        void await_resume() const noexcept {}
    };

    struct Abandonment {
        std::shared_ptr<AsyncChannel> channel;
        std::function<void()> onAbandoned;
        ~Abandonment() {
            if (!channel->finished_ && onAbandoned) {
                onAbandoned();
            }
        }
    };

    void wakeReader() {
        if (auto reader = std::exchange(reader_, {})) {
            reader.resume();
        }
    }

    std::deque<T> items_;
    bool finished_ = false;
    std::exception_ptr error_;
    std::coroutine_handle<> reader_;
};

} // namespace keldoran
