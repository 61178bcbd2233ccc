#pragma once

#include <QString>

namespace keldoran {

/// The object printed by `restic init --json`.
struct InitResult {
    QString messageType;
    QString id;
    QString repository;
    bool operator==(const InitResult&) const = default;
};

} // namespace keldoran
