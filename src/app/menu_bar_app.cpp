#include "menu_bar_app.h"

#include "backup/backup_controller.h"
#include "backup/post_backup_indexing.h"
#include "backup/registration.h"
#include "build_info.h"
#include "control/remote_control.h"
#include "diagnostics.h"
#include "index/snapshot_indexer.h"
#include "logging/code_identity.h"
#include "logging/log.h"
#include "model/app_model.h"
#include "platform/instance_paths.h"
#include "platform/peer_credentials.h"
#include "updater.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

namespace keldoran {

MenuBarApp::MenuBarApp(Platform& platform)
    : platform_(platform) {
    connect(&quitSignals_, &QuitSignals::quitRequested, this, &MenuBarApp::requestQuit);
}

MenuBarApp::~MenuBarApp() = default;

bool MenuBarApp::launch() {
    const auto socketPath = InstancePaths::appSocket(platform_.folders);
    lock_ = InstanceLock::acquire(InstancePaths::appLock(platform_.folders));
    if (!lock_) {
        QLocalSocket other;
        other.connectToServer(socketPath);
        const bool answering =
            other.state() == QLocalSocket::ConnectedState || other.state() == QLocalSocket::ConnectingState;
        if (answering && PeerCredentials::isSameUser(other.socketDescriptor())) {
            other.write(QJsonDocument(QJsonObject{{QStringLiteral("command"), QStringLiteral("raise")}})
                            .toJson(QJsonDocument::Compact) +
                        '\n');
            other.flush();
        }
        return false;
    }
    lock_->setHolder(QStringLiteral("keldoran"));
    server_ = std::make_unique<ControlServer>(*platform_.clock, [this](const QJsonObject& request) {
        return RemoteControl::handle(request, *model_, [this] { emit raiseRequested(); });
    });
    if (!server_->listen(socketPath)) {
        Log::lifecycle().error(
            QStringLiteral("control socket %1 could not be opened: keldoranctl cannot reach "
                           "this Keldoran")
                .arg(socketPath));
    }

    Log::lifecycle().info(QStringLiteral("launched — Keldoran %1 (%2) from %3")
                              .arg(QLatin1String(BuildInfo::version), QLatin1String(BuildInfo::buildNumber),
                                   QCoreApplication::applicationFilePath()));
    Log::lifecycle().info(QStringLiteral("code identity: ") + codeIdentity());
    // The crash reports the fatal-signal handler left since the last launch are delivered now.
    const Diagnostics diagnostics(platform_.folders.logs());
    Log::lifecycle().info(QStringLiteral("crash reporter installed"));
    diagnostics.didReceive(Diagnostics::takePending(Diagnostics::pendingFolder(platform_.folders.logs())));
    updater_ = std::make_unique<Updater>(Updater::configuredFeed(), Updater::buildVersion());
    model_ = std::make_unique<AppModel>(platform_);
    postBackupIndexing_ =
        std::make_unique<PostBackupIndexing>(model_->controller(), model_->snapshotIndexer(), platform_);
    connect(model_.get(), &AppModel::agentRegistrationRequested, this, [this] { registerAgent(); });
    bootstrap();
    return true;
}

QCoro::Task<void> MenuBarApp::bootstrap() {
    try {
        co_await repairRegistrations(platform_.services);
        auto& controller = model_->controller();
        co_await controller.bootstrap();
        if (controller.isConfigured()) {
            // A backup that a quit or shutdown interrupted goes on; restic reuses what it uploaded.
            model_->runPendingBackupIfPossible();
            co_await registerAgent();
        }
    } catch (const std::exception& error) {
        Log::lifecycle().error(QStringLiteral("bootstrap ended unexpectedly: ") +
                               QString::fromUtf8(error.what()));
    }
}

QCoro::Task<void> MenuBarApp::registerAgent() {
    model_->setAgentRegistrationProblem(co_await registerBackgroundAgent(platform_.services));
}

void MenuBarApp::requestQuit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    // A backup that succeeds while the quit waits must not start indexing that nothing would wait for.
    postBackupIndexing_.reset();
    if (!model_) {
        terminate();
        return;
    }
    // Indexing stops at once and takes nothing new (a restore window's listing may still ask); what it
    // stored is kept for the next launch.
    auto* indexer = &model_->snapshotIndexer();
    indexer->close();
    auto* controller = &model_->controller();
    const auto running = controller->currentOperation();
    if (running || controller->queuedOperationCount() > 0) {
        Log::lifecycle().info(
            QStringLiteral("quit requested — cancelling the running %1 and %2 queued, waiting "
                           "for restic to exit")
                .arg(running ? rawValue(*running) : QStringLiteral("operation"))
                .arg(controller->queuedOperationCount()));
    } else {
        Log::lifecycle().info(QStringLiteral("quit requested — no operation running"));
    }
    controller->cancelAll();
    quitAfterIdle(controller, indexer);
}

QCoro::Task<void> MenuBarApp::quitAfterIdle(BackupController* controller, SnapshotIndexer* indexer) {
    co_await controller->whenIdle();
    co_await indexer->whenIdle();
    Log::lifecycle().info(QStringLiteral("operations wound down — terminating"));
    terminate();
}

} // namespace keldoran
