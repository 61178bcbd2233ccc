#include "agent_runner.h"

#include "backup/async_channel.h"
#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "build_info.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/instance_lock.h"
#include "platform/instance_paths.h"
#include "platform/run_lock.h"

#include <QCoreApplication>

namespace keldoran {

bool AgentRunner::OnceBox::claim() {
    std::lock_guard guard(lock_);
    return !std::exchange(claimed_, true);
}

AgentRunner::AgentRunner(Platform& platform)
    : platform_(platform) {
    platform_.interruption = interruption_.get_token();
    QObject::connect(&quitSignals_, &QuitSignals::quitRequested, [this] { requestQuit(); });
}

qint64 AgentRunner::earlySeconds(BackupFrequency frequency) {
    return intervalSeconds(frequency) / 10;
}

RunInputs AgentRunner::inputs(AppModel& model, bool configured, bool online) const {
    // The tray application's view of the rules, with what the agent finds out for itself.
    auto inputs = model.scheduler().inputs();
    inputs.configured = configured;
    inputs.online = online;
    inputs.earlySeconds = earlySeconds(model.frequency());
    return inputs;
}

bool AgentRunner::isAnotherInstanceRunning() const {
    return InstanceLock::isHeldElsewhere(InstancePaths::appLock(platform_.folders)) ||
           InstanceLock::isHeldElsewhere(InstancePaths::agentLock(platform_.folders));
}

QCoro::Task<bool> AgentRunner::isOnline(std::chrono::milliseconds timeout) {
    const auto monitor = platform_.network->createMonitor();
    const auto box = std::make_shared<OnceBox>();
    const auto answer = std::make_shared<AsyncChannel<bool>>();
    auto respond = [box, answer](bool online) {
        if (box->claim()) {
            answer->push(online);
            answer->finish();
        }
    };
    QObject::connect(monitor.get(), &NetworkPathMonitor::pathChanged, monitor.get(), respond);
    const auto deadline = platform_.clock->callAt(platform_.clock->now().addMSecs(timeout.count()),
                                                  [respond] { respond(false); });
    monitor->start();
    auto reply = AsyncChannel<bool>::read(answer, {});
    auto first = co_await reply.begin();
    co_return first != reply.end() && *first;
}

void AgentRunner::requestQuit() {
    if (std::exchange(quitRequested_, true)) {
        return;
    }
    Log::lifecycle().info(
        QStringLiteral("agent: quit requested — cancelling running backup and waiting for restic to exit"));
    interruption_.request_stop();
    // As the tray quits: a backup a quit stops is owed, and runs again at the next chance.
    if (model_) {
        model_->controller().cancelAll();
    }
}

QCoro::Task<void> AgentRunner::run() {
    Log::lifecycle().info(QStringLiteral("agent tick — Keldoran %1 (%2)")
                              .arg(QLatin1String(BuildInfo::version))
                              .arg(QCoreApplication::applicationPid()));
    const auto tickLock = InstanceLock::isHeldElsewhere(InstancePaths::appLock(platform_.folders))
                              ? nullptr
                              : InstanceLock::acquire(InstancePaths::agentLock(platform_.folders));
    if (!tickLock) {
        Log::lifecycle().info(QStringLiteral("agent skipped: menu-bar app (or another tick) is running"));
        co_return;
    }
    AppModel model(platform_);
    model_ = &model;
    const std::unique_ptr<AppModel*, void (*)(AppModel**)> forget(&model_,
                                                                  [](AppModel** held) { *held = nullptr; });
    auto& controller = model.controller();
    controller.runLockHolder = RunLock::Holder::agent;
    const auto outcome = co_await controller.configureAtLaunch();
    const bool configured = outcome == BackupController::ConfigurationOutcome::configured;
    // An ended pause ends first, whatever else holds.
    model.expirePauseIfDue(platform_.clock->now());

    // The network is asked, and the repository listed, only when nothing cheaper rules the tick out.
    auto decision = decideRun(inputs(model, configured, true), platform_.clock->now());
    if (decision.kind == RunDecision::Kind::run) {
        const bool online = co_await isOnline(std::chrono::seconds(5));
        decision = decideRun(inputs(model, configured, online), platform_.clock->now());
        if (decision.kind == RunDecision::Kind::run) {
            co_await controller.prepareRepository();
            decision = decideRun(inputs(model, configured, online), platform_.clock->now());
        }
    }
    if (decision.kind != RunDecision::Kind::run) {
        Log::lifecycle().info(QStringLiteral("agent skipped: ") + reasonName(*decision.reason));
        co_return;
    }
    const auto last = model.lastBackup()
                          ? model.lastBackup()->toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"))
                          : QStringLiteral("never");
    if (quitRequested_) {
        co_return;
    }
    Log::lifecycle().info(QStringLiteral("agent: scheduled backup starting (last: %1)").arg(last));
    controller.startBackup();
    if (const auto task = controller.backupTask()) {
        co_await OperationHandle::wait(task);
    }
    Log::lifecycle().info(QStringLiteral("agent: backup finished — exiting"));
}

} // namespace keldoran
