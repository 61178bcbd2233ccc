#pragma once

#include "unrecognized_message.h"

#include <optional>
#include <QString>
#include <QStringList>
#include <variant>

namespace keldoran {

/// Progress of a running backup. restic leaves out every field whose value is zero.
struct BackupStatus {
    std::optional<quint64> secondsElapsed;
    std::optional<quint64> secondsRemaining;
    double percentDone = 0;
    std::optional<quint64> totalFiles;
    std::optional<quint64> filesDone;
    std::optional<quint64> totalBytes;
    std::optional<quint64> bytesDone;
    std::optional<quint64> errorCount;
    std::optional<QStringList> currentFiles;
    bool operator==(const BackupStatus&) const = default;
};

/// One item restic could not read.
struct BackupErrorMessage {
    struct Detail {
        QString message;
        bool operator==(const Detail&) const = default;
    };
    Detail error;
    std::optional<QString> during;
    std::optional<QString> item;
    bool operator==(const BackupErrorMessage&) const = default;
};

/// The end of a backup. It carries no error count.
struct BackupSummary {
    quint64 filesNew = 0;
    quint64 filesChanged = 0;
    quint64 filesUnmodified = 0;
    quint64 dirsNew = 0;
    quint64 dirsChanged = 0;
    quint64 dirsUnmodified = 0;
    quint64 dataBlobs = 0;
    quint64 treeBlobs = 0;
    quint64 dataAdded = 0;
    std::optional<quint64> dataAddedPacked;
    quint64 totalFilesProcessed = 0;
    quint64 totalBytesProcessed = 0;
    double totalDuration = 0;
    std::optional<QString> snapshotId;
    bool operator==(const BackupSummary&) const = default;
};

/// One line of `restic backup --json`.
using BackupEvent = std::variant<BackupStatus, BackupErrorMessage, BackupSummary, UnrecognizedMessage>;

} // namespace keldoran
