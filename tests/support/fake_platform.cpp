#include "fake_platform.h"

#include <algorithm>
#include <limits>
#include <QTimer>

namespace keldoran {

class FakeClockTimer : public ClockTimer {
public:
    FakeClockTimer(FakeClock& clock, quint64 id)
        : clock_(clock)
        , id_(id) {}
    ~FakeClockTimer() override { clock_.calls_.erase(id_); }

private:
    FakeClock& clock_;
    quint64 id_;
};

std::unique_ptr<ClockTimer> FakeClock::callAt(const QDateTime& when, std::function<void()> callback) {
    const auto id = nextId_++;
    calls_.emplace(id, Call{when, std::move(callback)});
    return std::make_unique<FakeClockTimer>(*this, id);
}

std::optional<QDateTime> FakeClock::nextCall() const {
    std::optional<QDateTime> earliest;
    for (const auto& [id, call] : calls_) {
        if (!earliest || call.when < *earliest) {
            earliest = call.when;
        }
    }
    return earliest;
}

void FakeClock::advance(qint64 seconds) {
    set(now_.addSecs(seconds));
}

void FakeClock::set(const QDateTime& now) {
    now_ = now;
    while (true) {
        auto due = calls_.end();
        for (auto it = calls_.begin(); it != calls_.end(); ++it) {
            if (it->second.when <= now_ && (due == calls_.end() || it->second.when < due->second.when)) {
                due = it;
            }
        }
        if (due == calls_.end()) {
            return;
        }
        // One call each: the callback may schedule or cancel others.
        auto callback = std::move(due->second.callback);
        due->second.when = QDateTime::fromMSecsSinceEpoch(std::numeric_limits<qint64>::max() / 2);
        callback();
    }
}

namespace {
class FakePathMonitor : public NetworkPathMonitor {
public:
    explicit FakePathMonitor(FakeNetworkSource& source)
        : source_(source) {}
    bool started = false;
    void start() override {
        started = true;
        if (!source_.silent) {
            QTimer::singleShot(0, this, [this] { emit pathChanged(source_.satisfied); });
        }
    }

private:
    FakeNetworkSource& source_;
};
} // namespace

std::unique_ptr<NetworkPathMonitor> FakeNetworkSource::createMonitor() {
    auto monitor = std::make_unique<FakePathMonitor>(*this);
    monitors_.removeIf([](const QPointer<NetworkPathMonitor>& gone) { return gone.isNull(); });
    monitors_.append(monitor.get());
    return monitor;
}

void FakeNetworkSource::report(bool nowSatisfied) {
    satisfied = nowSatisfied;
    for (const auto& monitor : monitors_) {
        if (monitor && static_cast<FakePathMonitor*>(monitor.data())->started) {
            emit monitor->pathChanged(nowSatisfied);
        }
    }
}

std::optional<QString> FakeServiceRegistration::registerLoginItem() {
    calls << QStringLiteral("registerLoginItem");
    if (loginItemFailure) {
        return loginItemFailure;
    }
    loginItem = statusAfterRegistering;
    loginItemStale.reset();
    return std::nullopt;
}

std::optional<QString> FakeServiceRegistration::unregisterLoginItem() {
    calls << QStringLiteral("unregisterLoginItem");
    if (loginItemFailure) {
        return loginItemFailure;
    }
    loginItem = Status::notRegistered;
    return std::nullopt;
}

QCoro::Task<ServiceRegistration::Status> FakeServiceRegistration::agentStatus() {
    co_return agent;
}

QCoro::Task<std::optional<QString>> FakeServiceRegistration::registerAgent() {
    calls << QStringLiteral("registerAgent");
    if (agentFailure) {
        co_return agentFailure;
    }
    agent = statusAfterRegistering;
    agentStale.reset();
    co_return std::nullopt;
}

QCoro::Task<std::optional<QString>> FakeServiceRegistration::unregisterAgent() {
    calls << QStringLiteral("unregisterAgent");
    agent = Status::notRegistered;
    co_return agentFailure;
}

} // namespace keldoran
