#include "restore_messages.h"

#include "presentation/formatters.h"
#include "presentation/plural.h"
#include "restic/restore_selection.h"

#include <QStringList>

namespace keldoran {

namespace RestoreMessages {
namespace {

QString quoted(const QString& name) {
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

// "'a', 'b' and 'c'", or "'a', 'b', 'c' and 2 more".
QString names(const QList<RestoreMergeReport::Renamed>& renamed) {
    constexpr qsizetype listed = 3;
    QStringList shown;
    for (qsizetype i = 0; i < std::min(listed, renamed.size()); ++i) {
        shown.append(quoted(renamed[i].restoredName));
    }
    if (renamed.size() > listed) {
        return shown.join(QStringLiteral(", ")) + Plural::of(" and %Ln more", renamed.size() - listed);
    }
    if (shown.size() == 1) {
        return shown.first();
    }
    return shown.mid(0, shown.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + shown.last();
}

} // namespace

QString placeName(const QString& folder, const QString& home) {
    if (folder == home) {
        return QStringLiteral("your home folder");
    }
    const auto name = lastPathComponent(folder);
    return name.isEmpty() ? folder : name;
}

QString kept(const QList<RestoreMergeReport::Renamed>& renamed) {
    if (renamed.isEmpty()) {
        return {};
    }
    const bool folders =
        std::all_of(renamed.begin(), renamed.end(), [](const auto& item) { return item.isFolder; });
    const bool files =
        std::none_of(renamed.begin(), renamed.end(), [](const auto& item) { return item.isFolder; });
    const auto* sentence = folders ? "%Ln existing folders were kept; the restored copies are named %1."
                           : files ? "%Ln existing files were kept; the restored copies are named %1."
                                   : "%Ln existing items were kept; the restored copies are named %1.";
    return Plural::of(sentence, renamed.size()).arg(names(renamed));
}

QString restored(qsizetype items, const QString& placeName,
                 const QList<RestoreMergeReport::Renamed>& renamed) {
    const auto sentence = Plural::of("Restored %Ln items to %1.", items).arg(placeName);
    const auto renames = kept(renamed);
    return renames.isEmpty() ? sentence : sentence + QLatin1Char(' ') + renames;
}

QString incomplete(const QString& problems, const QString& placeName,
                   const QList<RestoreMergeReport::Renamed>& renamed) {
    QStringList sentences{problems, QStringLiteral("Everything else was restored to %1.").arg(placeName)};
    if (const auto renames = kept(renamed); !renames.isEmpty()) {
        sentences.append(renames);
    }
    return sentences.join(QLatin1Char(' '));
}

QString undelivered(const QList<RestoreMergeReport::Undelivered>& items) {
    constexpr qsizetype listed = 3;
    QStringList sentences;
    for (qsizetype i = 0; i < std::min(listed, items.size()); ++i) {
        sentences.append(QStringLiteral("“%1” couldn't be placed in the destination (%2).")
                             .arg(items[i].path, items[i].reason));
    }
    if (items.size() > listed) {
        sentences.append(Plural::of("%Ln more items couldn't be placed.", items.size() - listed));
    }
    return sentences.join(QLatin1Char(' '));
}

QString levelUnreadable(const QString& reason) {
    return QStringLiteral("This folder of the backup couldn't be read. ") + reason;
}

QString hiddenBySearch(qsizetype count) {
    return Plural::of("%Ln selected items are hidden by the search", count);
}

QString replaceNeedsExactName(const QString& name) {
    return QStringLiteral(
               "“%1” has a name that isn't valid text, so Replace could also overwrite a file with a "
               "similar name. Restore it with Keep both.")
        .arg(name);
}

QString selectedCount(qsizetype count) {
    return Plural::of("%Ln items selected", count);
}

QString tilded(const QString& folder, const QString& home) {
    if (folder == home || folder.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + folder.mid(home.size());
    }
    return folder;
}

QString indexing(std::optional<double> progress) {
    if (!progress || *progress <= 0) {
        return QStringLiteral("Indexing this backup…");
    }
    return QStringLiteral("Indexing this backup… %1%").arg(int(*progress * 100));
}

QString foundElsewhere(qsizetype folders) {
    return folders == 1 ? QStringLiteral("Found in 1 other folder")
                        : QStringLiteral("Found in %1 other folders").arg(folders);
}

QString matchLine(const QString& name, const QString& folder, const QString& home) {
    auto where = folder == home ? QStringLiteral("Home") : folder;
    if (folder.startsWith(home + QLatin1Char('/'))) {
        where = QStringLiteral("Home") + folder.mid(home.size());
    }
    return QStringLiteral("%1 — in %2").arg(name, where);
}

QString versionsTitle(const QString& name) {
    return QStringLiteral("Versions of %1").arg(name);
}

QString versionLine(const QString& snapshotTime, const QString& size, const QString& modified) {
    return QStringLiteral("%1 — %2, modified %3").arg(snapshotTime, size, modified);
}

} // namespace RestoreMessages

} // namespace keldoran
