#pragma once

#include "restore_event.h"

#include <exception>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

namespace keldoran {

/// A keep-both restore that could not place anything: the staging folder or the destination could not
/// be opened. Its text is shown to the user as it is.
class RestoreMergeError : public std::exception {
public:
    explicit RestoreMergeError(QString description)
        : description_(std::move(description))
        , what_(description_.toStdString()) {}
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    QString description_;
    std::string what_;
};

/// Restoring next to existing files without touching them: restic restores into a staging folder on the
/// destination's own filesystem, then every staged item is moved into place under a free name.
///
/// Names are bytes from end to end, and every step works on open folders (`*at` calls, O_NOFOLLOW,
/// RENAME_NOREPLACE): nothing at the destination is ever replaced, opened for writing or followed if it
/// is a link. A staged folder the destination lacks moves as a whole, keeping its mode, owner, times and
/// empty subfolders; one it already has is merged into, item by item.
namespace KeepBothMerge {

/// Which staged items are delivered.
struct Selection {
    /// The names chosen in the restored folder, as shown (fileNameText). Other staged items at the top
    /// are look-alikes restic's patterns matched too, and stay behind. Empty: everything.
    QStringList names;
    /// Items restic reported as failed ("/sub/a.txt", relative to the restored folder). A partly
    /// written file may stand there, so these are never delivered.
    QStringList failedItems;
};

/// Creates "keldoran-restore-<UUID>" inside the destination (or its nearest existing ancestor), so items
/// move by rename; falls back to the temporary folder when that cannot be written.
QString createStagingFolder(const QString& destination);

/// Moves the staged items into `destination` (created, private, when missing) in ascending byte order
/// of their names. An item that cannot be placed is reported and the rest still go. Throws
/// RestoreMergeError only when nothing can be placed at all.
RestoreMergeReport merge(const QString& staging, const QString& destination, const Selection& selection = {});

/// The n-th candidate for a taken name: 0 is the name itself, 1 "name (restored).ext", n ≥ 2
/// "name (restored n).ext". A folder's name has no extension. The stem is shortened (never inside a
/// UTF-8 sequence) so the result fits in 255 bytes.
QByteArray candidateName(const QByteArray& name, int attempt, bool isFolder = false);

/// Removes the staging folder and everything in it, read-only folders included; failures are ignored.
void removeStagingFolder(const QString& staging);

} // namespace KeepBothMerge

} // namespace keldoran
