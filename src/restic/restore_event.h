#pragma once

#include "unrecognized_message.h"

#include <optional>
#include <variant>

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

/// One line of `restic restore --json`.
using RestoreEvent = std::variant<RestoreStatus, RestoreSummary, UnrecognizedMessage>;
