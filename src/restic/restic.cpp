#include "restic.h"

#include "base/task_outcome.h"
#include "keep_both_merge.h"
#include "operation_cancelled.h"
#include "restic_error.h"
#include "restic_json.h"
#include "restore_problem.h"
#include "restore_selection.h"

namespace keldoran {

namespace {

bool isLockFailure(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& resticError) {
        return resticError.isCommandFailure(ResticError::Kind::lockFailed);
    } catch (...) {
        return false;
    }
}

// A line that does not decode is passed on whole. Built outside the coroutines: g++ 12 destroys a
// temporary of a conditional expression twice when it appears inside co_yield.
BackupEvent backupEventOf(const QByteArray& line) {
    if (auto event = ResticJson::decodeBackupEvent(line)) {
        return std::move(*event);
    }
    return UnrecognizedMessage{QString::fromUtf8(line)};
}

RestoreEvent restoreEventOf(const QByteArray& line) {
    if (auto event = ResticJson::decodeRestoreEvent(line)) {
        return std::move(*event);
    }
    return UnrecognizedMessage{QString::fromUtf8(line)};
}

const QStringList& unlockArguments() {
    static const QStringList arguments{QStringLiteral("unlock")};
    return arguments;
}

QCoro::Task<QByteArray> runRetrying(ResticProcess process, QStringList arguments, std::stop_token stop) {
    auto first = co_await outcomeOf(process.run(arguments, stop));
    if (first.succeeded() || !isLockFailure(first.failure())) {
        co_return first.take();
    }
    co_await process.run(unlockArguments(), stop);
    auto output = co_await process.run(arguments, stop);
    co_return output;
}

QCoro::Task<void> runDiscardingOutput(ResticProcess process, QStringList arguments, std::stop_token stop) {
    co_await runRetrying(std::move(process), std::move(arguments), std::move(stop));
}

QCoro::AsyncGenerator<BackupEvent> backupStream(ResticProcess process, QStringList arguments,
                                                std::stop_token stop) {
    for (bool mayUnlock = true;; mayUnlock = false) {
        std::exception_ptr failure;
        try {
            auto lines = process.streamLines(arguments, stop);
            QCORO_FOREACH(const QByteArray& line, lines) {
                if (line.isEmpty()) {
                    continue;
                }
                auto event = backupEventOf(line);
                co_yield event;
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (!failure) {
            co_return;
        }
        if (!mayUnlock || !isLockFailure(failure)) {
            std::rethrow_exception(failure);
        }
        co_await process.run(unlockArguments(), stop);
    }
}

QCoro::AsyncGenerator<RestoreEvent> restoreStream(ResticProcess process, QStringList arguments,
                                                  std::stop_token stop) {
    auto lines = process.streamLines(std::move(arguments), std::move(stop));
    QCORO_FOREACH(const QByteArray& line, lines) {
        if (line.isEmpty()) {
            continue;
        }
        auto event = restoreEventOf(line);
        co_yield event;
    }
}

// Removes the staging folder however the keep-both stream ends, including when its consumer drops it.
struct StagingFolder {
    QString path;
    ~StagingFolder() { KeepBothMerge::removeStagingFolder(path); }
};

// The items a restore that restic ended with errors failed to write; none when the run ended for another
// reason (cancelled, repository unreadable) and nothing is to be delivered.
std::optional<QStringList> failedItemsOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        if (!error.isCommandFailure(ResticError::Kind::generic)) {
            return std::nullopt;
        }
        QStringList items;
        for (const auto& problem : RestoreProblem::fromStandardError(error.exitStatus()->stderrText)) {
            items.append(problem.item);
        }
        return items.isEmpty() ? std::nullopt : std::optional(items);
    } catch (...) {
        return std::nullopt;
    }
}

// The names chosen in the folder restored (restic's patterns may also match look-alikes).
QStringList chosenNames(const QStringList& selection) {
    QStringList names;
    if (RestoreSelection::reduce(selection).startingFolder) {
        for (const auto& path : selection) {
            names.append(lastPathComponent(path));
        }
    }
    return names;
}

QCoro::AsyncGenerator<RestoreEvent> keepBothStream(ResticProcess process, QString snapshotId,
                                                   QStringList selection, QString destination,
                                                   std::stop_token stop) {
    const StagingFolder staging{KeepBothMerge::createStagingFolder(destination)};
    std::exception_ptr failure;
    try {
        auto events =
            restoreStream(process, Restic::restoreArguments(snapshotId, selection, staging.path), stop);
        QCORO_FOREACH(RestoreEvent event, events) {
            co_yield event;
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // One unreadable file must not cost the user everything else that restored.
    const auto failedItems = failure ? failedItemsOf(failure) : std::optional(QStringList());
    if (!failedItems || stop.stop_requested()) {
        std::rethrow_exception(failure ? failure : std::make_exception_ptr(OperationCancelled()));
    }
    RestoreEvent report =
        KeepBothMerge::merge(staging.path, destination, {chosenNames(selection), *failedItems});
    co_yield report;
    if (failure) {
        std::rethrow_exception(failure);
    }
}

QCoro::Task<QList<Snapshot>> listSnapshots(ResticProcess process, QStringList arguments,
                                           std::stop_token stop) {
    const auto output = co_await process.run(arguments, stop);
    co_return ResticJson::decodeSnapshots(output);
}

QCoro::Task<QList<LsEntry>> listEntries(ResticProcess process, QStringList arguments, std::stop_token stop) {
    QList<LsEntry> entries;
    auto lines = process.streamLines(std::move(arguments), std::move(stop));
    QCORO_FOREACH(const QByteArray& line, lines) {
        if (line.isEmpty()) {
            continue;
        }
        auto entry = ResticJson::decodeLsEntry(line);
        if (entry && entry->structType == QLatin1String("node")) {
            entries.append(std::move(*entry));
        }
    }
    co_return entries;
}

QCoro::AsyncGenerator<LsEntry> entryStream(ResticProcess process, QStringList arguments,
                                           std::stop_token stop) {
    auto lines = process.streamLines(std::move(arguments), std::move(stop));
    QCORO_FOREACH(const QByteArray& line, lines) {
        if (line.isEmpty()) {
            continue;
        }
        auto entry = ResticJson::decodeLsEntry(line);
        if (entry && entry->structType == QLatin1String("node")) {
            co_yield *entry;
        } else if (!entry && !line.contains(R"("struct_type":"snapshot")")) {
            // A listing missing an entry would be taken for the whole snapshot.
            throw std::runtime_error(
                ResticError::tr("restic listed an entry that could not be read.").toStdString());
        }
    }
}

QCoro::Task<RepositoryStats> readStats(ResticProcess process, QStringList arguments, std::stop_token stop) {
    const auto output = co_await process.run(arguments, stop);
    co_return ResticJson::decodeRepositoryStats(Restic::statsDocument(output));
}

QCoro::Task<void> probeConfig(ResticProcess process, std::stop_token stop) {
    const QStringList arguments{QStringLiteral("cat"), QStringLiteral("config")};
    co_await process.run(arguments, stop);
}

QCoro::Task<InitResult> initialise(ResticProcess process, std::stop_token stop) {
    const QStringList arguments{QStringLiteral("init"), QStringLiteral("--json")};
    const auto output = co_await process.run(arguments, stop);
    co_return ResticJson::decodeInitResult(output);
}

} // namespace

Restic::Restic(ResticProcess process)
    : process_(std::move(process)) {}

QStringList Restic::backupArguments(const QStringList& excludes, std::optional<qint64> uploadLimitKiBps,
                                    const QStringList& sources) {
    QStringList arguments{QStringLiteral("backup"), QStringLiteral("--json")};
    for (const auto& exclude : excludes) {
        arguments << QStringLiteral("--exclude=") + exclude;
    }
    arguments << QStringLiteral("--exclude-caches");
    if (uploadLimitKiBps && *uploadLimitKiBps >= 1) {
        arguments << QStringLiteral("--limit-upload") << QString::number(*uploadLimitKiBps);
    }
    // Nothing after "--" is read as an option, whatever a source's name.
    return arguments + QStringList{QStringLiteral("--")} + sources;
}

QStringList Restic::restoreArguments(const QString& snapshotId, const QStringList& selection,
                                     const QString& target) {
    const auto reduced = RestoreSelection::reduce(selection);
    const auto snapshot =
        reduced.startingFolder ? snapshotId + QLatin1Char(':') + *reduced.startingFolder : snapshotId;
    // Sparse files come back sparse: a disk image holding little data must not fill the disk.
    QStringList arguments{QStringLiteral("restore"), QStringLiteral("--target=") + target,
                          QStringLiteral("--json"), QStringLiteral("--sparse")};
    for (const auto& pattern : reduced.includePatterns) {
        arguments << QStringLiteral("--include=") + pattern;
    }
    return arguments << QStringLiteral("--") << snapshot;
}

QStringList Restic::forgetArguments(const RetentionPolicy& policy, bool prune) {
    QStringList arguments{QStringLiteral("forget"), QStringLiteral("--json")};
    const std::pair<const char*, std::optional<int>> rules[] = {
        {"--keep-last", policy.keepLast},       {"--keep-hourly", policy.keepHourly},
        {"--keep-daily", policy.keepDaily},     {"--keep-weekly", policy.keepWeekly},
        {"--keep-monthly", policy.keepMonthly}, {"--keep-yearly", policy.keepYearly},
    };
    for (const auto& [flag, value] : rules) {
        if (value) {
            arguments << QString::fromLatin1(flag) << QString::number(*value);
        }
    }
    if (policy.keepWithinDays) {
        arguments << QStringLiteral("--keep-within")
                  << QString::number(*policy.keepWithinDays) + QLatin1Char('d');
    }
    if (prune) {
        arguments << QStringLiteral("--prune");
    }
    return arguments;
}

QByteArray Restic::statsDocument(const QByteArray& output) {
    // Any Unicode line break ends a line ("\r\n" leaves an empty piece, which is skipped).
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == u'\u0085' || c == u'\u2028' ||
               c == u'\u2029';
    };
    const auto text = QString::fromUtf8(output);
    auto end = text.size();
    while (end > 0) {
        auto start = end;
        while (start > 0 && !isBreak(text.at(start - 1))) {
            --start;
        }
        const auto line = QStringView(text).sliced(start, end - start);
        if (line.trimmed().startsWith(u'{')) {
            return line.toUtf8();
        }
        end = start - 1;
    }
    return output;
}

QCoro::AsyncGenerator<BackupEvent> Restic::backup(QStringList arguments, std::stop_token stop) const {
    return backupStream(process_, std::move(arguments), std::move(stop));
}

QCoro::AsyncGenerator<RestoreEvent> Restic::restore(QString snapshotId, QStringList selection, QString target,
                                                    std::stop_token stop) const {
    return restoreStream(process_, restoreArguments(snapshotId, selection, target), std::move(stop));
}

QCoro::AsyncGenerator<RestoreEvent> Restic::restoreKeepingBoth(QString snapshotId, QStringList selection,
                                                               QString destination,
                                                               std::stop_token stop) const {
    return keepBothStream(process_, std::move(snapshotId), std::move(selection), std::move(destination),
                          std::move(stop));
}

QCoro::Task<QList<Snapshot>> Restic::snapshots(QStringList tags, std::optional<QString> host,
                                               std::stop_token stop) const {
    QStringList arguments{QStringLiteral("snapshots"), QStringLiteral("--json")};
    for (const auto& tag : tags) {
        arguments << QStringLiteral("--tag") << tag;
    }
    if (host) {
        arguments << QStringLiteral("--host") << *host;
    }
    return listSnapshots(process_, std::move(arguments), std::move(stop));
}

QCoro::Task<QList<LsEntry>> Restic::ls(QString snapshotId, QStringList paths, std::stop_token stop) const {
    QStringList arguments{QStringLiteral("ls"), QStringLiteral("--json"), QStringLiteral("--"), snapshotId};
    return listEntries(process_, arguments + paths, std::move(stop));
}

QCoro::AsyncGenerator<LsEntry> Restic::listSnapshot(QString snapshotId, std::stop_token stop) const {
    const QStringList arguments{QStringLiteral("ls"), QStringLiteral("--json"), QStringLiteral("--"),
                                snapshotId};
    return entryStream(process_, arguments, std::move(stop));
}

QCoro::Task<RepositoryStats> Restic::stats(StatsMode mode, std::optional<QString> snapshotId,
                                           std::stop_token stop) const {
    QStringList arguments{QStringLiteral("stats"), QStringLiteral("--json"), QStringLiteral("--mode"),
                          resticName(mode)};
    if (snapshotId) {
        arguments << QStringLiteral("--") << *snapshotId;
    }
    return readStats(process_, std::move(arguments), std::move(stop));
}

QCoro::Task<void> Restic::forget(RetentionPolicy policy, bool prune, std::stop_token stop) const {
    return runDiscardingOutput(process_, forgetArguments(policy, prune), std::move(stop));
}

QCoro::Task<QByteArray> Restic::check(std::optional<QString> readDataSubset, std::stop_token stop) const {
    QStringList arguments{QStringLiteral("check")};
    if (readDataSubset) {
        arguments << QStringLiteral("--read-data-subset") << *readDataSubset;
    }
    return runRetrying(process_, std::move(arguments), std::move(stop));
}

QCoro::Task<void> Restic::cleanupCache(std::stop_token stop) const {
    return runDiscardingOutput(process_, {QStringLiteral("cache"), QStringLiteral("--cleanup")},
                               std::move(stop));
}

QCoro::Task<void> Restic::catConfig(std::stop_token stop) const {
    return probeConfig(process_, std::move(stop));
}

QCoro::Task<InitResult> Restic::initRepository(std::stop_token stop) const {
    return initialise(process_, std::move(stop));
}

QCoro::Task<QByteArray> Restic::runRetryingAfterUnlock(QStringList arguments, std::stop_token stop) const {
    return runRetrying(process_, std::move(arguments), std::move(stop));
}

} // namespace keldoran
