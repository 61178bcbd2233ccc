#pragma once

#include "restic/restore_event.h"

#include <optional>
#include <QString>

namespace keldoran {

/// Every sentence the restore window and its sheet show about what a restore does and did.
namespace RestoreMessages {

/// "your home folder" for the home folder, otherwise the folder's name.
QString placeName(const QString& folder, const QString& home);
/// "Restored 3 items to Documents." and what keep-both renamed.
QString restored(qsizetype items, const QString& placeName,
                 const QList<RestoreMergeReport::Renamed>& renamed);
/// What went wrong, then "Everything else was restored to Documents." and what keep-both renamed.
QString incomplete(const QString& problems, const QString& placeName,
                   const QList<RestoreMergeReport::Renamed>& renamed);
/// "“a.txt” couldn't be placed in the destination (Permission denied)." for each, up to three.
QString undelivered(const QList<RestoreMergeReport::Undelivered>& items);
/// "1 existing file was kept; the restored copy is named 'a (restored).txt'."; empty when none.
QString kept(const QList<RestoreMergeReport::Renamed>& renamed);
/// "2 selected items are hidden by the search": they are not restored.
QString hiddenBySearch(qsizetype count);
/// A folder of the backup whose listing failed, with restic's reason.
QString levelUnreadable(const QString& reason);
/// Replace with a name restic showed with replacement characters could overwrite a look-alike.
QString replaceNeedsExactName(const QString& name);
/// "3 items selected", the footer's count.
QString selectedCount(qsizetype count);
/// "Indexing this backup… 45%", while levels still come from restic one by one.
QString indexing(std::optional<double> progress);
/// "Found in 3 other folders", above the search's matches outside the folder shown.
QString foundElsewhere(qsizetype folders);
/// A match outside the folder shown: its name and the folder, relative to the home folder.
QString matchLine(const QString& name, const QString& folder, const QString& home);
/// The title of a file's versions: "Versions of report.pdf".
QString versionsTitle(const QString& name);
/// A version: "Yesterday 14:02 — 2 MB, modified 3 Dec 2026 10:00".
QString versionLine(const QString& snapshotTime, const QString& size, const QString& modified);
/// A folder in the home folder as "~/Documents"; any other as it is.
QString tilded(const QString& folder, const QString& home);

} // namespace RestoreMessages

} // namespace keldoran
