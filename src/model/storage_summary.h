#pragma once

#include <optional>
#include <QString>

namespace keldoran {

/// The configured storage as the interface shows it.
struct StorageSummary {
    QString provider;
    QString region;
    /// Bytes the repository occupies in the bucket.
    std::optional<qint64> sizeBytes;
    bool encrypted = false;
    bool operator==(const StorageSummary&) const = default;
};

} // namespace keldoran
