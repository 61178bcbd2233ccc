#include "post_backup_maintenance.h"

#include "app/log.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "restic/check_failure_classification.h"
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"

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
    const bool prune = weekPassedSince(settings.dateValue(SettingsKeys::lastPruneDate), now);
    std::exception_ptr failure;
    try {
        co_await restic.forget(RetentionPolicy::standard(), prune, stop);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        Log::backup().error(QStringLiteral("retention failed") + (prune ? QStringLiteral(" (with prune)") : QString()) +
                            QStringLiteral(": ") + errorLogDescription(failure));
        co_return;
    }
    Log::backup().info(prune ? QStringLiteral("retention applied with prune") : QStringLiteral("retention applied"));
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
    std::exception_ptr failure;
    try {
        co_await restic.cleanupCache(stop);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        Log::backup().error(QStringLiteral("cache cleanup failed: ") + errorLogDescription(failure));
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
    std::exception_ptr failure;
    try {
        co_await restic.check(stop);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure) {
        Log::check().info(QStringLiteral("integrity check passed"));
        model->setLastChecked(now);
        model->setLastCheckFailure(std::nullopt);
        co_return;
    }
    if (isCancellation(failure)) {
        // Stopped by a quit or cancel: the repository was not found wanting, so nothing is recorded.
        Log::check().info(QStringLiteral("integrity check interrupted — it runs again after the next backup"));
        co_return;
    }
    const auto classification = classifyCheckFailure(failure);
    const auto reason = recordedReason(classification);
    if (!reason) {
        Log::check().info(QStringLiteral("integrity check skipped: repository locked by another process — ") +
                          errorLogDescription(failure));
        co_return;
    }
    Log::check().error(QStringLiteral("integrity check failed (%1): %2").arg(rawValue(*reason), errorLogDescription(failure)));
    model->setLastCheckFailure(reason);
}

} // namespace PostBackupMaintenance
