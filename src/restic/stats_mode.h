#pragma once

#include <QString>

namespace keldoran {

/// The counting mode of `restic stats`.
enum class StatsMode { restoreSize, filesByContents, blobsPerFile, rawData };

inline QString resticName(StatsMode mode) {
    switch (mode) {
    case StatsMode::restoreSize:
        return QStringLiteral("restore-size");
    case StatsMode::filesByContents:
        return QStringLiteral("files-by-contents");
    case StatsMode::blobsPerFile:
        return QStringLiteral("blobs-per-file");
    case StatsMode::rawData:
        break;
    }
    return QStringLiteral("raw-data");
}

} // namespace keldoran
