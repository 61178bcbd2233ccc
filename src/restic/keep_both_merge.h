#pragma once

#include <QString>
#include <exception>
#include <string>

/// A failure to stage or merge a keep-both restore; its text is shown to the user as it is.
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
/// destination's own filesystem, then every staged file is moved into place under a free name.
namespace KeepBothMerge {

/// Creates "keldoran-restore-<UUID>" inside the destination (or its nearest existing ancestor), so files
/// move by rename; falls back to the temporary folder when that cannot be written.
QString createStagingFolder(const QString& destination);

/// Moves every staged file and link (never a folder) into `destination`, in ascending path order, each
/// under `freeName`. Throws RestoreMergeError; files moved before a failure stay where they were moved.
void merge(const QString& staging, const QString& destination);

/// The n-th candidate name for `wanted`: 0 is the name itself, 1 "name (restored).ext",
/// n ≥ 2 "name (restored n).ext".
QString candidateName(const QString& wanted, int attempt);

/// Moves one entry without following a link and without replacing anything; across filesystems it copies
/// (keeping mode and times) and then removes. Returns false when the target name is taken.
bool moveWithoutReplacing(const QString& from, const QString& to);

/// Removes the staging folder and everything in it; failures are ignored.
void removeStagingFolder(const QString& staging);

} // namespace KeepBothMerge
