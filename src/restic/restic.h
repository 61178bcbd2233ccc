#pragma once

#include "backup_event.h"
#include "init_result.h"
#include "ls_entry.h"
#include "repository_stats.h"
#include "restic_process.h"
#include "restore_event.h"
#include "retention_policy.h"
#include "snapshot.h"
#include "stats_mode.h"

#include <QList>

namespace keldoran {

/// The one way the system asks restic for something. Each operation builds its exact argument list, runs
/// it through the process runner and turns the output into values or a ResticError. Holds no state of
/// its own and may be copied freely: the repository travels in the runner.
///
/// Streams are lazy: restic starts when the stream is first awaited. Operations taking a stop token end
/// with OperationCancelled after restic, interrupted once, has exited.
class Restic {
public:
    explicit Restic(ResticProcess process);

    const ResticProcess& process() const { return process_; }

    /// The backup command line: exclusions as given, the cache rule, an upload limit of 1 KiB/s or more,
    /// then the sources.
    static QStringList backupArguments(const QStringList& excludes, std::optional<qint64> uploadLimitKiBps,
                                       const QStringList& sources);
    static QStringList restoreArguments(const QString& snapshotId, const QStringList& selection,
                                        const QString& target);
    static QStringList forgetArguments(const RetentionPolicy& policy, bool prune);

    /// A lock failure on the first attempt is followed by `unlock` and one complete second run into the
    /// same stream.
    QCoro::AsyncGenerator<BackupEvent> backup(QStringList arguments, std::stop_token stop = {}) const;
    QCoro::AsyncGenerator<RestoreEvent> restore(QString snapshotId, QStringList selection, QString target,
                                                std::stop_token stop = {}) const;
    /// Restores next to existing files, never overwriting them (see KeepBothMerge).
    QCoro::AsyncGenerator<RestoreEvent> restoreKeepingBoth(QString snapshotId, QStringList selection,
                                                           QString destination,
                                                           std::stop_token stop = {}) const;

    QCoro::Task<QList<Snapshot>> snapshots(QStringList tags = {}, std::optional<QString> host = std::nullopt,
                                           std::stop_token stop = {}) const;
    /// The node entries restic lists for the paths (its leading snapshot line is dropped).
    QCoro::Task<QList<LsEntry>> ls(QString snapshotId, QStringList paths, std::stop_token stop = {}) const;
    /// Every node of a snapshot as restic lists it, each folder right before its contents, read as it
    /// arrives.
    QCoro::AsyncGenerator<LsEntry> listSnapshot(QString snapshotId, std::stop_token stop = {}) const;
    QCoro::Task<RepositoryStats> stats(StatsMode mode, std::optional<QString> snapshotId = std::nullopt,
                                       std::stop_token stop = {}) const;
    QCoro::Task<void> forget(RetentionPolicy policy, bool prune, std::stop_token stop = {}) const;
    /// Checks the repository's structure, and with `readDataSubset` ("3/52") also reads that share of
    /// the data packs, so damage inside them is found. Answers restic's report (standard output).
    QCoro::Task<QByteArray> check(std::optional<QString> readDataSubset = std::nullopt,
                                  std::stop_token stop = {}) const;
    QCoro::Task<void> cleanupCache(std::stop_token stop = {}) const;
    /// Probes that the repository exists and that the password opens it.
    QCoro::Task<void> catConfig(std::stop_token stop = {}) const;
    QCoro::Task<InitResult> initRepository(std::stop_token stop = {}) const;
    /// Runs once; after a lock failure runs `unlock` and then once more. No delay, no second retry.
    QCoro::Task<QByteArray> runRetryingAfterUnlock(QStringList arguments, std::stop_token stop = {}) const;

    /// The JSON object within `stats` output: the last line that begins with "{", else the whole output.
    static QByteArray statsDocument(const QByteArray& output);

private:
    ResticProcess process_;
};

} // namespace keldoran
