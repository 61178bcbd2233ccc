#pragma once

#include "platform/platform.h"

#include <functional>
#include <map>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimeZone>

namespace keldoran {

/// A clock that moves only when told. Calls due at the new time run in time order, synchronously.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(10, 15),
                                                   QTimeZone::systemTimeZone()))
        : now_(std::move(start)) {}

    QDateTime now() const override { return now_; }
    std::unique_ptr<ClockTimer> callAt(const QDateTime& when, std::function<void()> callback) override;

    /// Moves the clock forward (as a sleeping machine's would, in one step) and runs what became due.
    void advance(qint64 seconds);
    void set(const QDateTime& now);
    int pendingCalls() const { return int(calls_.size()); }
    /// When the earliest pending call is due; none without one.
    std::optional<QDateTime> nextCall() const;

private:
    friend class FakeClockTimer;
    struct Call {
        QDateTime when;
        std::function<void()> callback;
    };
    QDateTime now_;
    std::map<quint64, Call> calls_;
    quint64 nextId_ = 0;
};

class FakePowerSource : public PowerSource {
public:
    bool onBattery = false;
    int readings = 0;
    bool isOnBattery() override {
        ++readings;
        return onBattery;
    }
};

/// Path monitors that report what the test sets. Unless `silent`, a started monitor reports at once.
class FakeNetworkSource : public NetworkSource {
public:
    bool satisfied = true;
    bool silent = false;
    bool metered = false;
    std::unique_ptr<NetworkPathMonitor> createMonitor() override;
    bool isMetered() override { return metered; }
    /// Sends a path update to every started monitor.
    void report(bool satisfied);

private:
    QList<QPointer<NetworkPathMonitor>> monitors_;
};

class FakeWakeSource : public WakeSource {
public:
    void wake() { emit woke(); }
};

/// Records registrations; each can be told to fail or to leave a status other than enabled.
class FakeServiceRegistration : public ServiceRegistration {
public:
    Status loginItem = Status::notRegistered;
    Status agent = Status::notRegistered;
    std::optional<QString> loginItemFailure;
    std::optional<QString> agentFailure;
    /// The status a successful registration leaves (requiresApproval while the user has not approved).
    Status statusAfterRegistering = Status::enabled;
    QStringList calls;

    Status loginItemStatus() override { return loginItem; }
    std::optional<QString> registerLoginItem() override;
    std::optional<QString> unregisterLoginItem() override;
    QCoro::Task<Status> agentStatus() override;
    QCoro::Task<std::optional<QString>> registerAgent() override;
    QCoro::Task<std::optional<QString>> unregisterAgent() override;
    /// What the registered files' differences are said to be; registering clears them.
    std::optional<QString> loginItemStale;
    std::optional<QString> agentStale;
    std::optional<QString> loginItemDifference() override { return loginItemStale; }
    std::optional<QString> agentDifference() override { return agentStale; }
};

} // namespace keldoran
