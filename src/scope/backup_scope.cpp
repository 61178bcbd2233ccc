#include "backup_scope.h"

#include "model/file_name_order.h"
#include "model/settings_keys.h"
#include "restic/restore_selection.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPromise>
#include <QThreadPool>

namespace keldoran {

const QSet<QString>& BackupScope::keptHiddenFolders() {
    static const QSet<QString> kept{QStringLiteral(".ssh"), QStringLiteral(".gnupg"),
                                    QStringLiteral(".config")};
    return kept;
}

const QStringList& BackupScope::appDataFolders() {
    static const QStringList folders{QStringLiteral(".local/share"), QStringLiteral(".mozilla"),
                                     QStringLiteral(".thunderbird"), QStringLiteral(".var/app")};
    return folders;
}

const QStringList& BackupScope::appDataExclusions() {
    static const QStringList entries{QStringLiteral("~/.local/share/Trash"),
                                     QStringLiteral(".var/app/*/cache")};
    return entries;
}

namespace {

QSet<QString> storedPaths(const SettingsStore& settings, const QString& key) {
    QSet<QString> paths;
    if (const auto blob = settings.dataValue(key)) {
        for (const auto& path : QJsonDocument::fromJson(*blob).array()) {
            if (path.isString()) {
                paths.insert(path.toString());
            }
        }
    }
    return paths;
}

QByteArray encodedPaths(const QSet<QString>& set) {
    QStringList paths(set.begin(), set.end());
    paths.sort();
    return QJsonDocument(QJsonArray::fromStringList(paths)).toJson(QJsonDocument::Compact);
}

bool isBelow(const QString& path, const QString& ancestor) {
    return path.size() > ancestor.size() && path.startsWith(ancestor) &&
           path[ancestor.size()] == QLatin1Char('/');
}

// One restic pattern without a leading "/" matches any run of path components.
bool matchesPattern(const QString& pattern, const QString& path) {
    const auto wanted = pattern.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const auto components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype start = 0; start + wanted.size() <= components.size(); ++start) {
        bool all = !wanted.isEmpty();
        for (qsizetype i = 0; all && i < wanted.size(); ++i) {
            all = fnmatch(QFile::encodeName(wanted[i]).constData(),
                          QFile::encodeName(components[start + i]).constData(), 0) == 0;
        }
        if (all) {
            return true;
        }
    }
    return false;
}

} // namespace

BackupScope::BackupScope(SettingsStore& settings, QString home)
    : settings_(settings)
    , home_(std::move(home))
    , root_{home_, tr("Home"), true, 0} {
    sizeByPath_.insert(home_, 0);
    reload();
}

void BackupScope::reload() {
    excluded_ = storedPaths(settings_, SettingsKeys::excludedScopePaths);
    keptHidden_.clear();
    // Only a path inside a hidden folder of this home folder can be kept.
    for (const auto& path : storedPaths(settings_, SettingsKeys::keptHiddenPaths)) {
        if (isBelow(path, home_) && path.mid(home_.size() + 1).startsWith(QLatin1Char('.'))) {
            keptHidden_.insert(path);
        }
    }
    emit changed();
}

bool BackupScope::isListedExclusion(const QString& path, const QList<ExcludeItem>& exclusionList) const {
    return std::any_of(exclusionList.begin(), exclusionList.end(), [&](const ExcludeItem& item) {
        const auto& listed = item.path;
        if (listed == QLatin1String("~") || listed.startsWith(QLatin1String("~/")) ||
            listed.startsWith(QLatin1Char('/'))) {
            const auto literal = listed.startsWith(QLatin1Char('~')) ? home_ + listed.mid(1) : listed;
            return path == literal || isBelow(path, literal);
        }
        return matchesPattern(listed, path);
    });
}

std::optional<QString> BackupScope::hiddenTopFolder(const QString& path) const {
    if (!isBelow(path, home_)) {
        return std::nullopt;
    }
    const auto name = path.mid(home_.size() + 1).section(QLatin1Char('/'), 0, 0);
    const auto top = home_ + QLatin1Char('/') + name;
    if (!name.startsWith(QLatin1Char('.')) || keptHiddenFolders().contains(name) || !QFileInfo(top).isDir()) {
        return std::nullopt;
    }
    return top;
}

bool BackupScope::isHiddenSkipped(const QString& path) const {
    if (!hiddenTopFolder(path)) {
        return false;
    }
    return std::none_of(keptHidden_.begin(), keptHidden_.end(),
                        [&](const QString& kept) { return path == kept || isBelow(path, kept); });
}

bool BackupScope::hasKeptBelow(const QString& path) const {
    return std::any_of(keptHidden_.begin(), keptHidden_.end(),
                       [&](const QString& kept) { return isBelow(kept, path); });
}

bool BackupScope::keepsAppData() const {
    return std::all_of(appDataFolders().begin(), appDataFolders().end(), [&](const QString& folder) {
        return keptHidden_.contains(home_ + QLatin1Char('/') + folder);
    });
}

void BackupScope::keepAppData(bool keep) {
    const auto before = keptHidden_;
    for (const auto& folder : appDataFolders()) {
        const auto path = home_ + QLatin1Char('/') + folder;
        if (keep) {
            keptHidden_.insert(path);
        } else {
            keptHidden_.remove(path);
        }
    }
    if (keptHidden_ != before) {
        saveKept();
        emit changed();
    }
}

void BackupScope::setKept(const QString& path, bool kept) {
    keptHidden_.removeIf([&](const QString& member) { return isBelow(member, path); });
    if (kept) {
        keptHidden_.insert(path);
    } else {
        keptHidden_.remove(path);
    }
    saveKept();
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
    if (isHiddenSkipped(path)) {
        return hasKeptBelow(path) ? TriState::partial : TriState::excluded;
    }
    const auto cached = childrenCache_.find(path);
    if (!isDirectory || cached == childrenCache_.end() ||
        std::all_of(cached->begin(), cached->end(), [](const BackupNode& child) { return child.isHidden; })) {
        return TriState::included;
    }
    bool allExcluded = true;
    bool anyNotIncluded = false;
    for (const auto& child : *cached) {
        if (child.isHidden) {
            continue;
        }
        const auto state = triState(child.id, child.isDirectory);
        allExcluded = allExcluded && state == TriState::excluded;
        anyNotIncluded = anyNotIncluded || state != TriState::included;
    }
    return allExcluded ? TriState::excluded : anyNotIncluded ? TriState::partial : TriState::included;
}

void BackupScope::toggle(const BackupNode& node) {
    const auto before = excluded_;
    const auto state = triState(node.id, node.isDirectory);
    // A hidden folder ticks in and out through the kept set: the hidden-folder rule holds the rest.
    if (isHiddenSkipped(node.id) || (keptHidden_.contains(node.id) && state == TriState::included)) {
        setKept(node.id, isHiddenSkipped(node.id));
        removeBelow(node.id);
        if (excluded_ != before) {
            save();
        }
        emit changed();
        return;
    }
    if (state == TriState::included) {
        excluded_.insert(node.id);
        removeBelow(node.id);
    } else {
        excluded_.remove(node.id);
        removeBelow(node.id);
        const auto ancestor = std::find_if(excluded_.begin(), excluded_.end(), [&](const QString& member) {
            return node.id.startsWith(member + QLatin1Char('/'));
        });
        if (ancestor != excluded_.end()) {
            includeOnlyPathBelow(*ancestor, node.id);
        }
    }
    // One write per tick: ticking one photo back in a folder of thousands changes thousands of members.
    if (excluded_ != before) {
        save();
    }
    measureExcludedFolders();
    emit changed();
}

// Ticks `path` again below an unticked ancestor while everything else below the ancestor stays out:
// each folder from the ancestor down keeps only the next step of the path.
void BackupScope::includeOnlyPathBelow(QString ancestor, const QString& path) {
    excluded_.remove(ancestor);
    auto folder = ancestor;
    for (const auto& component : path.mid(ancestor.size() + 1).split(QLatin1Char('/'))) {
        const auto step = folder + QLatin1Char('/') + component;
        for (const auto& child : childrenWithHidden(folder, true)) {
            if (child.id != step) {
                excluded_.insert(child.id);
            }
        }
        folder = step;
    }
}

BackupScope::~BackupScope() {
    for (auto& future : measuring_) {
        future.cancel();
    }
}

namespace {

// The total size of the files below `folder`, links not followed and unreadable parts skipped; stops
// early (with what it has) when cancelled.
qint64 contentsSize(const std::filesystem::path& folder, const QFuture<qint64>& cancellation) {
    namespace fs = std::filesystem;
    qint64 total = 0;
    std::error_code error;
    fs::recursive_directory_iterator entries(folder, fs::directory_options::skip_permission_denied, error);
    for (int seen = 0; !error && entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        if (++seen % 256 == 0 && cancellation.isCanceled()) {
            break;
        }
        const auto status = entries->symlink_status(error);
        if (!error && fs::is_regular_file(status)) {
            total += qint64(entries->file_size(error));
        }
        error.clear();
    }
    return total;
}

} // namespace

void BackupScope::measureExcludedFolders() {
    for (const auto& path : std::as_const(excluded_)) {
        if (sizeByPath_.contains(path) || measuring_.contains(path) ||
            !childrenCache_.contains(parentPath(path))) {
            continue;
        }
        const QFileInfo info(path);
        if (!info.isDir() || info.isSymLink()) {
            continue;
        }
        // Counting a large folder takes seconds: a worker counts, the result comes back on this thread.
        auto promise = std::make_shared<QPromise<qint64>>();
        auto future = promise->future();
        measuring_.insert(path, future);
        auto* watcher = new QFutureWatcher<qint64>(this);
        connect(watcher, &QFutureWatcher<qint64>::finished, this, [this, watcher, path] {
            watcher->deleteLater();
            const auto future = measuring_.take(path);
            if (!future.isCanceled() && future.resultCount() > 0) {
                sizeByPath_.insert(path, future.result());
                emit changed();
            }
        });
        watcher->setFuture(future);
        const auto folder = std::filesystem::path(QFile::encodeName(path).toStdString());
        QThreadPool::globalInstance()->start([promise, folder] {
            promise->start();
            promise->addResult(contentsSize(folder, promise->future()));
            promise->finish();
        });
    }
}

QList<BackupNode> BackupScope::children(const QString& path, bool isDirectory) {
    auto nodes = childrenWithHidden(path, isDirectory);
    nodes.removeIf([](const BackupNode& node) { return node.isHidden; });
    return nodes;
}

QList<BackupNode> BackupScope::childrenWithHidden(const QString& path, bool isDirectory) {
    if (!isDirectory) {
        return {};
    }
    return listing(path);
}

QList<BackupNode> BackupScope::listing(const QString& path) {
    if (const auto cached = childrenCache_.find(path); cached != childrenCache_.end()) {
        return *cached;
    }
    QList<BackupNode> nodes;
    const auto entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden, QDir::Unsorted);
    for (const auto& entry : entries) {
        // A link is backed up as a link, never as the folder it points to.
        const bool folder = entry.isDir() && !entry.isSymLink();
        nodes.append({entry.filePath(), entry.fileName(), folder, folder ? 0 : entry.size(),
                      entry.fileName().startsWith(QLatin1Char('.'))});
    }
    const auto collator = fileNameCollator();
    std::stable_sort(nodes.begin(), nodes.end(), [&](const BackupNode& a, const BackupNode& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    childrenCache_.insert(path, nodes);
    for (const auto& node : nodes) {
        // A listing only knows a file's size; a folder's is counted when it is unticked.
        if (!node.isDirectory) {
            sizeByPath_.insert(node.id, node.sizeBytes);
        }
    }
    measureExcludedFolders();
    emit changed();
    return nodes;
}

QStringList BackupScope::skippedChildNames(const QString& path) const {
    QStringList names;
    for (const auto& child : childrenCache_.value(path)) {
        if (!child.isHidden && triState(child.id, child.isDirectory) != TriState::included) {
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
        if (!isHiddenSkipped(path)) {
            continue;
        }
        if (hasKeptBelow(path)) {
            excludeAround(path, hidden);
        } else {
            hidden.append(path);
        }
    }
    return hidden;
}

// Everything in `folder` except the kept paths and the way down to them.
void BackupScope::excludeAround(const QString& folder, QStringList& out) const {
    const auto entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const auto& entry : entries) {
        const auto path = entry.filePath();
        if (keptHidden_.contains(path)) {
            continue;
        }
        if (hasKeptBelow(path) && entry.isDir() && !entry.isSymLink()) {
            excludeAround(path, out);
        } else {
            out.append(path);
        }
    }
}

QString BackupScope::excludeEntry(const QString& listed) const {
    // A path names one folder (the folder chooser's "~/Photos [2019]" must not exclude "Photos 2");
    // a bare name or pattern ("node_modules", "*.vmdk") matches wherever it occurs.
    if (listed == QLatin1String("~") || listed.startsWith(QLatin1String("~/"))) {
        return escapeGlob(home_ + listed.mid(1));
    }
    if (listed.startsWith(QLatin1Char('/'))) {
        return escapeGlob(listed);
    }
    return listed;
}

QStringList BackupScope::effectiveExcludes(const QList<ExcludeItem>& exclusionList) const {
    QSet<QString> entries;
    for (const auto& item : exclusionList) {
        entries.insert(excludeEntry(item.path));
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
    const auto names = QDir(home_).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    const auto skipped = std::count_if(names.begin(), names.end(), [&](const QString& name) {
        const auto path = home_ + QLatin1Char('/') + name;
        return isHiddenSkipped(path) && !hasKeptBelow(path);
    });
    return {int(exclusionList.size()), int(excluded_.size()), int(skipped), int(keptHidden_.size())};
}

void BackupScope::removeBelow(const QString& path) {
    const auto prefix = path + QLatin1Char('/');
    excluded_.removeIf([&](const QString& member) { return member.startsWith(prefix); });
}

void BackupScope::save() {
    settings_.setValue(SettingsKeys::excludedScopePaths, encodedPaths(excluded_));
}

void BackupScope::saveKept() {
    settings_.setValue(SettingsKeys::keptHiddenPaths, encodedPaths(keptHidden_));
}

} // namespace keldoran
