#pragma once

#include <optional>
#include <QDateTime>
#include <QString>

namespace keldoran {

/// One file-system entry of `restic ls --json`; `type` is restic's kind ("dir", "file", "symlink", ...).
struct LsEntry {
    std::optional<QString> structType;
    QString name;
    QString type;
    QString path;
    std::optional<quint64> size;
    std::optional<QDateTime> mtime;
    bool operator==(const LsEntry&) const = default;

    bool isDirectory() const { return type == QLatin1String("dir"); }
};

} // namespace keldoran
