#pragma once

#include <optional>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace keldoran {

/// One snapshot of the repository, as `restic snapshots --json` lists it.
struct Snapshot {
    struct Summary {
        quint64 dataAdded = 0;
        std::optional<quint64> dataAddedPacked;
        std::optional<quint64> totalBytesProcessed;
        std::optional<quint64> totalFilesProcessed;
        bool operator==(const Summary&) const = default;
    };

    QString id;
    QString shortId;
    QDateTime time;
    std::optional<QString> parent;
    QString tree;
    QStringList paths;
    QString hostname;
    std::optional<QString> username;
    std::optional<QStringList> tags;
    std::optional<QString> programVersion;
    std::optional<Summary> summary;
    bool operator==(const Snapshot&) const = default;
};

} // namespace keldoran
