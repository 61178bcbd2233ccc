#include "backup_scheduler.h"

#include "app/log.h"
#include "backup_controller.h"
#include "model/app_model.h"

BackupScheduler::BackupScheduler(AppModel& model)
    : model_(model) {}

BackupScheduler::~BackupScheduler() = default;

void BackupScheduler::reschedule() {
    timer_.reset();
    const auto now = model_.platform().clock->now();
    const auto interval = intervalSeconds(model_.frequency());
    model_.setNextBackup(now.addSecs(interval));
    arm(now.addSecs(interval));
    if (!observingWake_) {
        observingWake_ = true;
        connect(model_.platform().wake, &WakeSource::woke, this, [this] {
            if (timer_) {
                model_.setNextBackup(model_.platform().clock->now().addSecs(intervalSeconds(model_.frequency())));
            }
        });
    }
}

void BackupScheduler::arm(const QDateTime& when) {
    fireAt_ = when;
    timer_ = model_.platform().clock->callAt(when, [this] { timerFired(); });
}

void BackupScheduler::timerFired() {
    // Like a repeating timer: the next fire is one interval after this one's time; fires missed while
    // asleep collapse into this one.
    const auto now = model_.platform().clock->now();
    const auto interval = intervalSeconds(model_.frequency());
    auto next = fireAt_.addSecs(interval);
    while (next <= now) {
        next = next.addSecs(interval);
    }
    arm(next);
    // The tick may replace this timer (a pause that ends reschedules), so it runs on the next turn.
    QMetaObject::invokeMethod(this, [this] { tick(); }, Qt::QueuedConnection);
}

void BackupScheduler::tick() {
    const auto now = model_.platform().clock->now();
    model_.setNextBackup(now.addSecs(intervalSeconds(model_.frequency())));
    model_.expirePauseIfDue(now);
    if (model_.isPaused()) {
        Log::queue().info(QStringLiteral("scheduled backup skipped: paused"));
        return;
    }
    if (!model_.isOnline()) {
        Log::queue().info(QStringLiteral("scheduled backup deferred: offline"));
        model_.setPendingBackupWhileOffline(true);
        return;
    }
    const bool onBattery = isOnBattery();
    const auto& controller = model_.controller();
    const bool busy = controller.currentOperation().has_value() || controller.queuedOperationCount() >= 1;
    if (!busy && !(onBattery && !model_.backupOnBattery())) {
        Log::queue().info(QStringLiteral("scheduled backup firing"));
        model_.backUpNow();
        return;
    }
    Log::queue().info(QStringLiteral("scheduled backup skipped: ") +
                      (busy ? QStringLiteral("operation in flight") : QStringLiteral("on battery")));
}

bool BackupScheduler::isOnBattery() const {
    return model_.platform().power->isOnBattery();
}
