#include "default_excludes.h"

#include <QSet>

namespace keldoran {

const QStringList& defaultExcludePaths() {
    static const QStringList paths{
        QStringLiteral("~/Library"), QStringLiteral("~/.Trash"),   QStringLiteral("node_modules"),
        QStringLiteral(".git"),      QStringLiteral("~/.cache"),   QStringLiteral("~/.npm"),
        QStringLiteral("~/.cargo"),  QStringLiteral("~/.rustup"),  QStringLiteral("~/.gradle"),
        QStringLiteral("~/.m2"),     QStringLiteral("~/.nvm"),     QStringLiteral("~/.pyenv"),
        QStringLiteral("~/.rbenv"),  QStringLiteral("~/.gem"),     QStringLiteral("~/.cocoapods"),
        QStringLiteral("~/.docker"), QStringLiteral("~/.android"), QStringLiteral("*.pvm"),
        QStringLiteral("*.vmdk"),    QStringLiteral("*.vmwarevm"), QStringLiteral("*.qcow2"),
        QStringLiteral("*.utm"),
    };
    return paths;
}

Preferences reconcileDefaultExcludes(Preferences preferences) {
    QSet<QString> present;
    for (const auto& item : preferences.excludes) {
        present.insert(item.path);
    }
    const auto previouslySeen = preferences.seenDefaultExcludePaths.value_or(QStringList());
    const QSet<QString> seen(previouslySeen.begin(), previouslySeen.end());
    for (const auto& path : defaultExcludePaths()) {
        if (!present.contains(path) && !seen.contains(path)) {
            preferences.excludes.append(ExcludeItem::make(path));
        }
    }
    auto allSeen = seen;
    for (const auto& path : defaultExcludePaths()) {
        allSeen.insert(path);
    }
    QStringList sorted(allSeen.begin(), allSeen.end());
    sorted.sort();
    preferences.seenDefaultExcludePaths = sorted;
    return preferences;
}

} // namespace keldoran
