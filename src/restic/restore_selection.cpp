#include "restore_selection.h"

namespace keldoran {

namespace {
QString withoutTrailingSlashes(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return path;
}
} // namespace

QString parentPath(const QString& path) {
    const auto trimmed = withoutTrailingSlashes(path);
    const auto slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || trimmed == QLatin1String("/")) {
        return {};
    }
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

QString lastPathComponent(const QString& path) {
    const auto trimmed = withoutTrailingSlashes(path);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

QString escapeGlob(const QString& literalPath) {
    QString escaped;
    escaped.reserve(literalPath.size());
    for (const QChar character : literalPath) {
        if (character == QLatin1Char('\\') || character == QLatin1Char('*') ||
            character == QLatin1Char('?') || character == QLatin1Char('[') || character == QLatin1Char(']')) {
            escaped.append(QLatin1Char('\\'));
        }
        escaped.append(character);
    }
    return escaped;
}

namespace {
// restic's JSON shows each byte of a name that is not UTF-8 as U+FFFD, so the name's real bytes are
// unknown here: "?" matches that one byte (and look-alikes, which a keep-both merge leaves behind).
QString includePattern(const QString& literalPath) {
    return escapeGlob(literalPath).replace(QChar::ReplacementCharacter, QLatin1Char('?'));
}
} // namespace

RestoreSelection RestoreSelection::reduce(const QStringList& selection) {
    RestoreSelection reduced;
    if (selection.isEmpty()) {
        return reduced;
    }
    const auto parent = parentPath(selection.first());
    const bool oneFolder =
        !parent.isEmpty() && std::all_of(selection.begin(), selection.end(),
                                         [&](const QString& path) { return parentPath(path) == parent; });
    if (oneFolder) {
        reduced.startingFolder = parent;
        for (const auto& path : selection) {
            reduced.includePatterns.append(QLatin1Char('/') + includePattern(lastPathComponent(path)));
        }
    } else {
        for (const auto& path : selection) {
            reduced.includePatterns.append(includePattern(path));
        }
    }
    return reduced;
}

} // namespace keldoran
