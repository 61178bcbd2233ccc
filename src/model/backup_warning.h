#pragma once

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>

namespace keldoran {

/// One file the last backup could not read.
struct BackupWarning {
    enum class Kind { privacyProtected, permissionDenied, vanished, other };

    Kind kind = Kind::other;
    /// The path as restic reported it.
    std::optional<QString> path;
    bool operator==(const BackupWarning&) const = default;

    static QString rawValue(Kind kind);
    static std::optional<Kind> kindFromRaw(const QString& raw);

    /// JSON array of {"kind", "path"}; "path" is left out when absent.
    static QByteArray encodeList(const QList<BackupWarning>& warnings);
    /// An empty list when the blob or any element does not decode.
    static QList<BackupWarning> decodeList(const QByteArray& json);
};

} // namespace keldoran
