#pragma once

#include <optional>
#include <QString>
#include <QStringList>

namespace keldoran {

/// A restore selection reduced to restic's terms: the folder to restore from (when every selected path
/// shares one parent) and the include patterns, which match each selected name literally.
struct RestoreSelection {
    std::optional<QString> startingFolder;
    QStringList includePatterns;

    /// `selection` holds absolute snapshot paths; empty means the whole snapshot.
    static RestoreSelection reduce(const QStringList& selection);
};

/// restic reads --include and --exclude values as glob patterns; this makes one match only the literal
/// path, so "report[2024].pdf" does not also select "report2.pdf".
QString escapeGlob(const QString& literalPath);

/// The path-string parent: "/Users/a" for "/Users/a/x", "/" for "/x", empty for a bare name.
QString parentPath(const QString& path);
/// The last component of a path, ignoring a trailing slash.
QString lastPathComponent(const QString& path);

} // namespace keldoran
