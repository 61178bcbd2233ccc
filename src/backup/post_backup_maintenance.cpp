#include "post_backup_maintenance.h"

#include "base/task_outcome.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "presentation/formatters.h"
#include "restic/check_failure_classification.h"
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"

#include <cctype>

namespace keldoran {

namespace PostBackupMaintenance {
namespace {

constexpr qint64 weekSeconds = 604800;

// A missing or unreadable date counts as the distant past.
bool weekPassedSince(const std::optional<QDateTime>& last, const QDateTime& now) {
    return !last || last->secsTo(now) >= weekSeconds;
}

bool isCancellation(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const OperationCancelled&) {
        return true;
    } catch (...) {
        return false;
    }
}

// Prune and check move data over the network: on a metered connection only with the user's leave.
bool meteredWorkRefused(AppModel* model) {
    return model->platform().network->isMetered() && !model->backupOnMetered();
}

constexpr int dataShares = 52;

// The share of the data the weekly check reads next: every byte is read once a year. None on a metered
// connection, where reading a 52nd of the repository could cost the user money.
std::optional<int> nextDataShare(AppModel* model) {
    if (model->platform().network->isMetered()) {
        return std::nullopt;
    }
    const auto last = model->platform().settings->read(SettingsKeys::checkDataSubset);
    return last >= 1 && last <= dataShares ? int(last % dataShares) + 1 : 1;
}

// "read group #3 of 5 data packs (out of total 240 packs in 52 groups)": the packs read and the total.
std::optional<std::pair<qint64, qint64>> packsRead(const QByteArray& report) {
    const auto numberAfter = [&](const QByteArray& marker, qsizetype from) -> std::pair<qint64, qsizetype> {
        const auto at = report.indexOf(marker, from);
        if (at < 0) {
            return {-1, -1};
        }
        auto end = at + marker.size();
        while (end < report.size() && std::isdigit(static_cast<unsigned char>(report[end]))) {
            ++end;
        }
        bool ok = false;
        const auto value = report.mid(at + marker.size(), end - at - marker.size()).toLongLong(&ok);
        return {ok ? value : -1, end};
    };
    const auto group = report.indexOf("read group #");
    const auto [read, afterRead] = numberAfter(" of ", group);
    const auto [total, afterTotal] = numberAfter(" data packs (out of total ", afterRead);
    if (group < 0 || read < 0 || total < 0 || afterTotal != report.indexOf(' ', afterTotal)) {
        return std::nullopt;
    }
    return std::pair{read, total};
}

// Logs the share read and about how much that was, and remembers it: next week reads the next one.
void logDataRead(AppModel* model, int share, const QByteArray& report) {
    auto line = QStringLiteral("integrity check read data subset %1/%2").arg(share).arg(dataShares);
    if (const auto packs = packsRead(report)) {
        line += QStringLiteral(": %1 of %2 data packs").arg(packs->first).arg(packs->second);
        if (const auto stored = model->storage().sizeBytes; stored && packs->second > 0) {
            line += QStringLiteral(", about %1")
                        .arg(Formatters::byteCount(*stored * packs->first / packs->second));
        }
    }
    Log::check().info(line);
    model->platform().settings->setValue(SettingsKeys::checkDataSubset, share);
}

} // namespace

QCoro::Task<void> run(AppModel* model, Restic restic, std::stop_token stop) {
    co_await applyRetention(model, restic, stop);
    if (!stop.stop_requested()) {
        co_await cleanUpCache(model, restic, stop);
    }
    if (!stop.stop_requested()) {
        co_await checkIntegrity(model, restic, stop);
    }
}

QCoro::Task<void> applyRetention(AppModel* model, Restic restic, std::stop_token stop) {
    auto& settings = *model->platform().settings;
    const auto now = model->platform().clock->now();
    const bool prune =
        weekPassedSince(settings.dateValue(SettingsKeys::lastPruneDate), now) && !meteredWorkRefused(model);
    const auto failure = co_await failureOf(restic.forget(RetentionPolicy::standard(), prune, stop));
    if (failure) {
        Log::backup().error(QStringLiteral("retention failed") +
                            (prune ? QStringLiteral(" (with prune)") : QString()) + QStringLiteral(": ") +
                            errorLogDescription(failure.exception));
        co_return;
    }
    Log::backup().info(prune ? QStringLiteral("retention applied with prune")
                             : QStringLiteral("retention applied"));
    if (prune) {
        settings.setValue(SettingsKeys::lastPruneDate, now);
    }
}

QCoro::Task<void> cleanUpCache(AppModel* model, Restic restic, std::stop_token stop) {
    auto& settings = *model->platform().settings;
    const auto now = model->platform().clock->now();
    if (!weekPassedSince(settings.dateValue(SettingsKeys::lastCacheCleanupDate), now)) {
        co_return;
    }
    const auto failure = co_await failureOf(restic.cleanupCache(stop));
    if (failure) {
        Log::backup().error(QStringLiteral("cache cleanup failed: ") +
                            errorLogDescription(failure.exception));
    } else {
        Log::backup().info(QStringLiteral("cache cleanup ran"));
    }
    // A failing cleanup is not retried for a week either.
    settings.setValue(SettingsKeys::lastCacheCleanupDate, now);
}

QCoro::Task<void> checkIntegrity(AppModel* model, Restic restic, std::stop_token stop) {
    const auto now = model->platform().clock->now();
    if (!weekPassedSince(model->lastChecked(), now) || model->platform().power->isOnBattery()) {
        co_return;
    }
    if (meteredWorkRefused(model)) {
        Log::check().info(QStringLiteral("integrity check postponed: metered connection"));
        co_return;
    }
    // A plain check never reads the data: a damaged pack would pass it.
    const auto share = nextDataShare(model);
    const auto subset =
        share ? std::optional(QStringLiteral("%1/%2").arg(*share).arg(dataShares)) : std::nullopt;
    auto checked = co_await outcomeOf(restic.check(subset, stop));
    const auto& failure = checked.failure();
    if (!failure) {
        Log::check().info(QStringLiteral("integrity check passed"));
        if (share) {
            logDataRead(model, *share, checked.value());
        }
        model->setLastChecked(now);
        model->setLastCheckFailure(std::nullopt);
        co_return;
    }
    if (isCancellation(failure)) {
        // Stopped by a quit or cancel: the repository was not found wanting, so nothing is recorded.
        Log::check().info(
            QStringLiteral("integrity check interrupted — it runs again after the next backup"));
        co_return;
    }
    const auto classification = classifyCheckFailure(failure);
    const auto reason = recordedReason(classification);
    if (!reason) {
        Log::check().info(QStringLiteral("integrity check skipped: repository locked by another process — ") +
                          errorLogDescription(failure));
        co_return;
    }
    Log::check().error(QStringLiteral("integrity check failed (%1): %2")
                           .arg(rawValue(*reason), errorLogDescription(failure)));
    if (share && reason == CheckFailureReason::corruption) {
        logDataRead(model, *share, {});
    }
    model->setLastCheckFailure(reason);
}

} // namespace PostBackupMaintenance

} // namespace keldoran
