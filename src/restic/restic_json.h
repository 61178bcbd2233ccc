#pragma once

#include "backup_event.h"
#include "init_result.h"
#include "ls_entry.h"
#include "repository_stats.h"
#include "restore_event.h"
#include "snapshot.h"

#include <QByteArrayView>
#include <QList>

namespace keldoran {

/// Decoding of restic's JSON. One strict configuration serves every message: keys a type does not name
/// are ignored, a missing or mistyped required key fails the whole object, integers must be unsigned
/// whole numbers, and timestamps are RFC 3339 date-times with or without a fraction.
namespace ResticJson {

/// A line decoded as one of the types; on failure `error` (when given) receives the reason.
std::optional<BackupEvent> decodeBackupEvent(QByteArrayView line, QString* error = nullptr);
std::optional<RestoreEvent> decodeRestoreEvent(QByteArrayView line, QString* error = nullptr);
std::optional<LsEntry> decodeLsEntry(QByteArrayView line, QString* error = nullptr);
/// The "message" of restic's fatal-error line.
std::optional<QString> decodeExitErrorMessage(QByteArrayView line);

/// Whole-output documents; a failure throws ResticError::decodingFailed with the output's first 500 bytes.
QList<Snapshot> decodeSnapshots(const QByteArray& output);
RepositoryStats decodeRepositoryStats(const QByteArray& document);
InitResult decodeInitResult(const QByteArray& output);

/// An RFC 3339 timestamp; fails with "Unparseable restic timestamp: <text>".
std::optional<QDateTime> decodeTimestamp(QByteArrayView text, QString* error = nullptr);

} // namespace ResticJson

} // namespace keldoran
