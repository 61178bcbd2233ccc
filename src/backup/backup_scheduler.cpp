#include "backup_scheduler.h"

#include "backup_controller.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "platform/run_lock.h"

namespace keldoran {

BackupScheduler::BackupScheduler(AppModel& model)
    : model_(model) {}

BackupScheduler::~BackupScheduler() = default;

void BackupScheduler::start() {
    follow();
    reschedule();
}

void BackupScheduler::follow() {
    if (std::exchange(following_, true)) {
        return;
    }
    const auto replan = [this] {
        reschedule();
    };
    for (const auto signal :
         {&AppModel::frequencyChanged, &AppModel::backupOnBatteryChanged, &AppModel::backupOnMeteredChanged,
          &AppModel::isPausedChanged, &AppModel::pauseUntilChanged, &AppModel::lastBackupChanged,
          &AppModel::isOnlineChanged}) {
        connect(&model_, signal, this, replan);
    }
    auto& controller = model_.controller();
    connect(&controller, &BackupController::resticChanged, this, replan);
    connect(&controller, &BackupController::backupTaskChanged, this, replan);
    connect(model_.platform().wake, &WakeSource::woke, this, replan);
}

RunInputs BackupScheduler::inputs() const {
    const auto& platform = model_.platform();
    const auto& controller = model_.controller();
    RunInputs inputs;
    inputs.configured = controller.isConfigured();
    inputs.paused = model_.isPaused();
    inputs.pauseUntil = model_.pauseUntil();
    inputs.lastBackup = model_.lastBackup();
    inputs.frequency = model_.frequency();
    inputs.onBattery = platform.power->isOnBattery();
    inputs.backupOnBattery = model_.backupOnBattery();
    inputs.online = model_.isOnline();
    inputs.metered = platform.network->isMetered();
    inputs.backupOnMetered = model_.backupOnMetered();
    inputs.busy = controller.currentOperation().has_value() || controller.queuedOperationCount() >= 1;
    inputs.locked = RunLock::holder(controller.runLockPath()).has_value();
    return inputs;
}

std::optional<QDateTime> BackupScheduler::nextLook(const RunDecision& decision, const QDateTime& now) const {
    // A failed or refused attempt is not repeated before the retry delay.
    const auto earliest =
        std::max(now.addSecs(settleSeconds), lastAttempt_ ? lastAttempt_->addSecs(retrySeconds) : now);
    switch (decision.kind) {
    case RunDecision::Kind::run:
        return earliest;
    case RunDecision::Kind::defer:
        // A pause ends at its time, whatever the last attempt.
        if (decision.reason == RunReason::paused) {
            return decision.until;
        }
        return std::max(*decision.until, lastAttempt_ ? earliest : *decision.until);
    case RunDecision::Kind::skip:
        break;
    }
    if (decision.reason == RunReason::notConfigured || decision.reason == RunReason::paused) {
        return std::nullopt;
    }
    return now.addSecs(retrySeconds);
}

void BackupScheduler::reschedule() {
    const auto now = model_.platform().clock->now();
    model_.expirePauseIfDue(now);
    const auto decision = decideRun(inputs(), now);
    const auto when = nextLook(decision, now);
    arm(when);
    model_.setNextBackup(when);
}

void BackupScheduler::arm(const std::optional<QDateTime>& when) {
    timer_.reset();
    if (when) {
        fireAt_ = *when;
        timer_ = model_.platform().clock->callAt(*when, [this] { timerFired(); });
    }
}

void BackupScheduler::timerFired() {
    timer_.reset();
    // A timer that fires long after its time slept through it: the machine has just woken, so the
    // backup waits for the settling delay. The tick may replace this timer, so it runs on the next turn.
    const bool overslept = model_.platform().clock->now() > fireAt_.addSecs(settleSeconds);
    QMetaObject::invokeMethod(
        this, [this, overslept] { overslept ? reschedule() : tick(); }, Qt::QueuedConnection);
}

void BackupScheduler::tick() {
    const auto now = model_.platform().clock->now();
    model_.expirePauseIfDue(now);
    const auto decision = decideRun(inputs(), now);
    if (decision.kind == RunDecision::Kind::run) {
        Log::queue().info(QStringLiteral("scheduled backup firing"));
        lastAttempt_ = now;
        model_.backUpNow();
        reschedule();
        return;
    }
    if (decision.kind == RunDecision::Kind::skip) {
        Log::queue().info(QStringLiteral("scheduled backup skipped: ") + reasonName(*decision.reason));
        if (decision.reason == RunReason::offline) {
            model_.setPendingBackupWhileOffline(true);
        }
    }
    reschedule();
}

} // namespace keldoran
