#pragma once

#include <optional>
#include <QtGlobal>

namespace keldoran {

/// The object printed by `restic stats --json`.
struct RepositoryStats {
    quint64 totalSize = 0;
    std::optional<quint64> totalFileCount;
    std::optional<quint64> totalBlobCount;
    quint64 snapshotsCount = 0;
    std::optional<quint64> totalUncompressedSize;
    std::optional<double> compressionRatio;
    bool operator==(const RepositoryStats&) const = default;
};

} // namespace keldoran
