#include "restore_messages.h"

#include "presentation/formatters.h"
#include "restic/restore_selection.h"

#include <QCoreApplication>
#include <QStringList>

namespace keldoran {

namespace RestoreMessages {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(RestoreMessages)
};

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
        return Text::tr("%1 and %Ln more", nullptr, int(renamed.size() - listed))
            .arg(shown.join(QStringLiteral(", ")));
    }
    if (shown.size() == 1) {
        return shown.first();
    }
    return Text::tr("%1 and %2").arg(shown.mid(0, shown.size() - 1).join(QStringLiteral(", ")), shown.last());
}

} // namespace

QString placeName(const QString& folder, const QString& home) {
    if (folder == home) {
        return Text::tr("your home folder");
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
    const int count = int(renamed.size());
    const auto sentence =
        folders
            ? Text::tr("%Ln existing folders were kept; the restored copies are named %1.", nullptr, count)
        : files ? Text::tr("%Ln existing files were kept; the restored copies are named %1.", nullptr, count)
                : Text::tr("%Ln existing items were kept; the restored copies are named %1.", nullptr, count);
    return sentence.arg(names(renamed));
}

QString restored(qsizetype items, const QString& placeName,
                 const QList<RestoreMergeReport::Renamed>& renamed) {
    const auto sentence = Text::tr("Restored %Ln items to %1.", nullptr, int(items)).arg(placeName);
    const auto renames = kept(renamed);
    return renames.isEmpty() ? sentence : sentence + QLatin1Char(' ') + renames;
}

QString incomplete(const QString& problems, const QString& placeName,
                   const QList<RestoreMergeReport::Renamed>& renamed) {
    QStringList sentences{problems, Text::tr("Everything else was restored to %1.").arg(placeName)};
    if (const auto renames = kept(renamed); !renames.isEmpty()) {
        sentences.append(renames);
    }
    return sentences.join(QLatin1Char(' '));
}

QString undelivered(const QList<RestoreMergeReport::Undelivered>& items) {
    constexpr qsizetype listed = 3;
    QStringList sentences;
    for (qsizetype i = 0; i < std::min(listed, items.size()); ++i) {
        sentences.append(
            Text::tr("“%1” couldn't be placed in the destination (%2).").arg(items[i].path, items[i].reason));
    }
    if (items.size() > listed) {
        sentences.append(Text::tr("%Ln more items couldn't be placed.", nullptr, int(items.size() - listed)));
    }
    return sentences.join(QLatin1Char(' '));
}

QString levelUnreadable(const QString& reason) {
    return Text::tr("This folder of the backup couldn't be read. %1").arg(reason);
}

QString hiddenBySearch(qsizetype count) {
    return Text::tr("%Ln selected items are hidden by the search", nullptr, int(count));
}

QString replaceNeedsExactName(const QString& name) {
    return Text::tr("“%1” has a name that isn't valid text, so Replace could also overwrite a file with a "
                    "similar name. Restore it with Keep both.")
        .arg(name);
}

QString selectedCount(qsizetype count) {
    return Text::tr("%Ln items selected", nullptr, int(count));
}

QString tilded(const QString& folder, const QString& home) {
    if (folder == home || folder.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + folder.mid(home.size());
    }
    return folder;
}

QString indexing(std::optional<double> progress) {
    if (!progress || *progress <= 0) {
        return Text::tr("Indexing this backup…");
    }
    return Text::tr("Indexing this backup… %1%").arg(int(*progress * 100));
}

QString foundElsewhere(qsizetype folders) {
    return Text::tr("Found in %Ln other folders", nullptr, int(folders));
}

QString matchLine(const QString& name, const QString& folder, const QString& home) {
    auto where = folder == home ? Text::tr("Home") : folder;
    if (folder.startsWith(home + QLatin1Char('/'))) {
        where = Text::tr("Home") + folder.mid(home.size());
    }
    return Text::tr("%1 — in %2").arg(name, where);
}

QString versionsTitle(const QString& name) {
    return Text::tr("Versions of %1").arg(name);
}

QString versionLine(const QString& snapshotTime, const QString& size, const QString& modified) {
    return Text::tr("%1 — %2, modified %3").arg(snapshotTime, size, modified);
}

} // namespace RestoreMessages

} // namespace keldoran
