#pragma once

#include "platform/secret_store.h"

#include <chrono>
#include <qcoro/qcorotimer.h>
#include <QHash>

namespace keldoran {

/// Secrets kept in memory, for simulations that read them thousands of times. Each answer comes on a
/// later turn of the event loop, as a real store's does.
class MemorySecretStore : public SecretStore {
public:
    QCoro::Task<ReadResult> read(QString service, QString account) override {
        co_await QCoro::sleepFor(std::chrono::milliseconds(0));
        const auto found = values_.find(service + QLatin1Char('/') + account);
        co_return ReadResult{found == values_.end() ? std::nullopt : std::optional<QString>(*found),
                             std::nullopt};
    }
    QCoro::Task<std::optional<Failure>> write(QString service, QString account, QString value) override {
        co_await QCoro::sleepFor(std::chrono::milliseconds(0));
        values_.insert(service + QLatin1Char('/') + account, value);
        co_return std::nullopt;
    }
    QCoro::Task<std::optional<Failure>> remove(QString service, QString account) override {
        co_await QCoro::sleepFor(std::chrono::milliseconds(0));
        values_.remove(service + QLatin1Char('/') + account);
        co_return std::nullopt;
    }

private:
    QHash<QString, QString> values_;
};

} // namespace keldoran
