#pragma once

#include <QString>
#include <QUuid>

namespace keldoran {

/// One entry of the user's exclusion list: a path beginning with "~" (the home folder), an absolute
/// path, or a bare name or glob pattern restic matches wherever it occurs. Two entries are the same
/// when their paths are equal; the id only picks an item for removal.
struct ExcludeItem {
    QUuid id;
    QString path;
    bool operator==(const ExcludeItem&) const = default;

    static ExcludeItem make(const QString& path) { return ExcludeItem{QUuid::createUuid(), path}; }
};

} // namespace keldoran
