#pragma once

#include "unrecognized_message.h"

#include <optional>
#include <QList>
#include <QString>
#include <variant>

namespace keldoran {

/// Progress of a running restore.
struct RestoreStatus {
    double percentDone = 0;
    std::optional<quint64> totalFiles;
    std::optional<quint64> filesRestored;
    std::optional<quint64> totalBytes;
    std::optional<quint64> bytesRestored;
    bool operator==(const RestoreStatus&) const = default;
};

/// The end of a restore.
struct RestoreSummary {
    quint64 totalFiles = 0;
    quint64 filesRestored = 0;
    quint64 totalBytes = 0;
    quint64 bytesRestored = 0;
    bool operator==(const RestoreSummary&) const = default;
};

/// What the keep-both merge did beyond placing items under their own names; sent once, after restic.
/// Paths are relative to the destination and shown as text (see fileNameText).
struct RestoreMergeReport {
    /// An item whose name was taken at the destination: it arrived as `restoredName` beside it.
    struct Renamed {
        QString path;
        QString restoredName;
        bool isFolder = false;
        bool operator==(const Renamed&) const = default;
    };
    /// An item that restored but could not be placed, with the reason.
    struct Undelivered {
        QString path;
        QString reason;
        bool operator==(const Undelivered&) const = default;
    };
    QList<Renamed> renamed;
    QList<Undelivered> undelivered;
    bool operator==(const RestoreMergeReport&) const = default;
};

/// One line of `restic restore --json`, or the keep-both merge's report.
using RestoreEvent = std::variant<RestoreStatus, RestoreSummary, RestoreMergeReport, UnrecognizedMessage>;

} // namespace keldoran
