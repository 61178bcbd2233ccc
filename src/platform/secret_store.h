#pragma once

#include <optional>
#include <qcoro/qcorotask.h>
#include <QString>

namespace keldoran {

/// The user's per-device secret store, addressed by service name and account. An absent secret and an
/// unreadable store (locked, or no store at all) are different answers; there is never a plaintext
/// fallback.
class SecretStore {
public:
    /// Why the store could not do what was asked.
    struct Failure {
        int code = 0;
        QString message;
    };

    /// A value, nothing (absent), or a failure.
    struct ReadResult {
        std::optional<QString> value;
        std::optional<Failure> failure;
    };

    virtual ~SecretStore() = default;
    virtual QCoro::Task<ReadResult> read(QString service, QString account) = 0;
    /// Stores the value, replacing an item of the same service and account.
    virtual QCoro::Task<std::optional<Failure>> write(QString service, QString account, QString value) = 0;
    /// Deleting an absent item succeeds.
    virtual QCoro::Task<std::optional<Failure>> remove(QString service, QString account) = 0;
};

} // namespace keldoran
