#include "clock.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <sys/timerfd.h>
#include <unistd.h>

namespace keldoran {

namespace {

class WallClockTimer : public ClockTimer {
public:
    WallClockTimer(const QDateTime& when, std::function<void()> callback)
        : callback_(std::move(callback))
        , descriptor_(::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
        if (descriptor_ < 0) {
            // No timerfd: fall back to a monotonic timer, which is right unless the machine sleeps.
            fallback_.setSingleShot(true);
            QObject::connect(&fallback_, &QTimer::timeout, [this] { fire(); });
            fallback_.start(std::max<qint64>(0, QDateTime::currentDateTime().msecsTo(when)));
            return;
        }
        const qint64 milliseconds = std::max<qint64>(1, when.toMSecsSinceEpoch());
        itimerspec spec{};
        spec.it_value.tv_sec = milliseconds / 1000;
        spec.it_value.tv_nsec = (milliseconds % 1000) * 1000000;
        ::timerfd_settime(descriptor_, TFD_TIMER_ABSTIME, &spec, nullptr);
        notifier_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            uint64_t expirations = 0;
            if (::read(descriptor_, &expirations, sizeof expirations) > 0) {
                notifier_->setEnabled(false);
                fire();
            }
        });
    }

    ~WallClockTimer() override {
        if (notifier_) {
            // The timer may be destroyed from its own callback, inside the notifier's signal.
            notifier_->setEnabled(false);
            notifier_.release()->deleteLater();
        }
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }

private:
    void fire() {
        // The callback may destroy this timer; move it out first.
        auto callback = std::move(callback_);
        if (callback) {
            callback();
        }
    }

    std::function<void()> callback_;
    int descriptor_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
};

} // namespace

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

std::unique_ptr<ClockTimer> SystemClock::callAt(const QDateTime& when, std::function<void()> callback) {
    return std::make_unique<WallClockTimer>(when, std::move(callback));
}

namespace {
// The one resumption of a sleeping coroutine, whichever of the timer and the stop request comes first.
// The resumption is posted to an object that lives in the sleeping frame: a frame destroyed before
// the event is delivered (its owner abandoned it) is then never resumed.
struct Sleeper {
    std::coroutine_handle<> waiter;
    QPointer<QObject> frame;
    bool woken = false;

    static void wake(const std::shared_ptr<Sleeper>& sleeper) {
        if (sleeper->woken) {
            return;
        }
        sleeper->woken = true;
        if (auto waiter = sleeper->waiter; waiter && sleeper->frame) {
            QTimer::singleShot(0, sleeper->frame.data(), [waiter] { waiter.resume(); });
        }
    }
};

struct SleepAwaiter {
    std::shared_ptr<Sleeper> sleeper;
    bool await_ready() const noexcept { return sleeper->woken; }
    void await_suspend(std::coroutine_handle<> waiter) noexcept { sleeper->waiter = waiter; }
    void await_resume() const noexcept {}
};
} // namespace

QCoro::Task<bool> sleepFor(Clock* clock, std::chrono::milliseconds duration, std::stop_token stop) {
    auto sleeper = std::make_shared<Sleeper>();
    QObject frame;
    sleeper->frame = &frame;
    bool elapsed = false;
    const auto timer = clock->callAt(clock->now().addMSecs(duration.count()), [sleeper, &elapsed] {
        elapsed = true;
        Sleeper::wake(sleeper);
    });
    const std::stop_callback onStop(stop, [sleeper] { Sleeper::wake(sleeper); });
    SleepAwaiter awaiter{sleeper}; // named: g++ 12 destroys a temporary awaiter twice
    co_await awaiter;
    co_return elapsed && !stop.stop_requested();
}

} // namespace keldoran
