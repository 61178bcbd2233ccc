#include "backup_scope.h"

#include "model/file_name_order.h"
#include "model/settings_keys.h"
#include "restic/restore_selection.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

const QSet<QString>& BackupScope::keptHiddenFolders() {
    static const QSet<QString> kept{QStringLiteral(".ssh"), QStringLiteral(".gnupg"),
                                    QStringLiteral(".config")};
    return kept;
}

BackupScope::BackupScope(SettingsStore& settings, QString home)
    : settings_(settings)
    , home_(std::move(home))
    , root_{home_, tr("Home"), true, 0} {
    sizeByPath_.insert(home_, 0);
    if (const auto blob = settings_.dataValue(SettingsKeys::excludedScopePaths)) {
        const auto document = QJsonDocument::fromJson(*blob);
        for (const auto& path : document.array()) {
            if (path.isString()) {
                excluded_.insert(path.toString());
            }
        }
    }
}

bool BackupScope::isExcluded(const QString& path) const {
    if (excluded_.contains(path)) {
        return true;
    }
    return std::any_of(excluded_.begin(), excluded_.end(),
                       [&](const QString& member) { return path.startsWith(member + QLatin1Char('/')); });
}

BackupScope::TriState BackupScope::triState(const QString& path, bool isDirectory) const {
    if (isExcluded(path)) {
        return TriState::excluded;
    }
    const auto cached = childrenCache_.find(path);
    if (!isDirectory || cached == childrenCache_.end() || cached->isEmpty()) {
        return TriState::included;
    }
    bool allExcluded = true;
    bool anyNotIncluded = false;
    for (const auto& child : *cached) {
        const auto state = triState(child.id, child.isDirectory);
        allExcluded = allExcluded && state == TriState::excluded;
        anyNotIncluded = anyNotIncluded || state != TriState::included;
    }
    return allExcluded ? TriState::excluded : anyNotIncluded ? TriState::partial : TriState::included;
}

void BackupScope::toggle(const BackupNode& node) {
    if (triState(node.id, node.isDirectory) == TriState::included) {
        insert(node.id);
        removeBelow(node.id);
    } else {
        if (excluded_.remove(node.id)) {
            save();
        }
        removeBelow(node.id);
        const auto ancestor = std::find_if(excluded_.begin(), excluded_.end(), [&](const QString& member) {
            return node.id.startsWith(member + QLatin1Char('/'));
        });
        if (ancestor != excluded_.end()) {
            includeOnlyPathBelow(*ancestor, node.id);
        }
    }
    emit changed();
}

// Ticks `path` again below an unticked ancestor while everything else below the ancestor stays out:
// each folder from the ancestor down keeps only the next step of the path.
void BackupScope::includeOnlyPathBelow(QString ancestor, const QString& path) {
    excluded_.remove(ancestor);
    save();
    auto folder = ancestor;
    for (const auto& component : path.mid(ancestor.size() + 1).split(QLatin1Char('/'))) {
        const auto step = folder + QLatin1Char('/') + component;
        for (const auto& child : children(folder, true)) {
            if (child.id != step) {
                insert(child.id);
            }
        }
        folder = step;
    }
}

QList<BackupNode> BackupScope::children(const QString& path, bool isDirectory) {
    if (!isDirectory) {
        return {};
    }
    if (const auto cached = childrenCache_.find(path); cached != childrenCache_.end()) {
        return *cached;
    }
    QList<BackupNode> nodes;
    const auto entries =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Unsorted);
    for (const auto& entry : entries) {
        // A link is backed up as a link, never as the folder it points to.
        const bool folder = entry.isDir() && !entry.isSymLink();
        nodes.append({entry.filePath(), entry.fileName(), folder, folder ? 0 : entry.size()});
    }
    const auto collator = fileNameCollator();
    std::stable_sort(nodes.begin(), nodes.end(), [&](const BackupNode& a, const BackupNode& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    childrenCache_.insert(path, nodes);
    for (const auto& node : nodes) {
        sizeByPath_.insert(node.id, node.sizeBytes);
    }
    emit changed();
    return nodes;
}

QStringList BackupScope::skippedChildNames(const QString& path) const {
    QStringList names;
    for (const auto& child : childrenCache_.value(path)) {
        if (triState(child.id, child.isDirectory) != TriState::included) {
            names.append(child.name);
        }
    }
    return names;
}

qint64 BackupScope::excludedBytes() const {
    qint64 total = 0;
    for (const auto& path : excluded_) {
        total += sizeByPath_.value(path, 0);
    }
    return total;
}

bool BackupScope::allExcludedSizesKnown() const {
    return std::all_of(excluded_.begin(), excluded_.end(),
                       [&](const QString& path) { return sizeByPath_.contains(path); });
}

QStringList BackupScope::hiddenFolderExcludes() const {
    QStringList hidden;
    const auto names = QDir(home_).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const auto& name : names) {
        const auto path = home_ + QLatin1Char('/') + name;
        if (name.startsWith(QLatin1Char('.')) && !keptHiddenFolders().contains(name) &&
            QFileInfo(path).isDir()) {
            hidden.append(path);
        }
    }
    return hidden;
}

QStringList BackupScope::effectiveExcludes(const QList<ExcludeItem>& exclusionList) const {
    QSet<QString> entries;
    for (const auto& item : exclusionList) {
        // The home folder is a literal path even inside a pattern such as "~/Library".
        entries.insert(item.path.startsWith(QLatin1Char('~')) ? escapeGlob(home_) + item.path.mid(1)
                                                              : item.path);
    }
    for (const auto& path : excluded_) {
        entries.insert(escapeGlob(path));
    }
    for (const auto& path : hiddenFolderExcludes()) {
        entries.insert(escapeGlob(path));
    }
    return QStringList(entries.begin(), entries.end());
}

BackupScope::Tally BackupScope::scopeTally(const QList<ExcludeItem>& exclusionList) const {
    return {int(exclusionList.size()), int(excluded_.size()), int(hiddenFolderExcludes().size())};
}

void BackupScope::insert(const QString& path) {
    excluded_.insert(path);
    save();
}

void BackupScope::removeBelow(const QString& path) {
    const auto prefix = path + QLatin1Char('/');
    const auto removed = excluded_.removeIf([&](const QString& member) { return member.startsWith(prefix); });
    if (removed > 0) {
        save();
    }
}

void BackupScope::save() {
    QStringList paths(excluded_.begin(), excluded_.end());
    paths.sort();
    settings_.setValue(SettingsKeys::excludedScopePaths,
                       QJsonDocument(QJsonArray::fromStringList(paths)).toJson(QJsonDocument::Compact));
}
