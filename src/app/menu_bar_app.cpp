#include "menu_bar_app.h"

#include "backup/backup_controller.h"
#include "backup/post_backup_indexing.h"
#include "index/snapshot_indexer.h"
#include "build_info.h"
#include "code_identity.h"
#include "diagnostics.h"
#include "instance_paths.h"
#include "log.h"
#include "model/app_model.h"
#include "platform/peer_credentials.h"
#include "registration.h"
#include "remote_control.h"
#include "updater.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

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
    server_ = std::make_unique<ControlServer>(*platform_.clock, [this](const QJsonObject& request) {
        return RemoteControl::handle(request, *model_, [this] { emit raiseRequested(); });
    });
    server_->listen(socketPath);

    Log::lifecycle().info(QStringLiteral("launched — Keldoran %1 (%2) from %3")
                              .arg(QLatin1String(BuildInfo::version), QLatin1String(BuildInfo::buildNumber),
                                   QCoreApplication::applicationFilePath()));
    Log::lifecycle().info(QStringLiteral("code identity: ") + codeIdentity());
    // The crash reports the fatal-signal handler left since the last launch are delivered now.
    const Diagnostics diagnostics(platform_.folders.logs());
    Log::lifecycle().info(QStringLiteral("MetricKit subscriber registered"));
    diagnostics.didReceive(Diagnostics::takePending(Diagnostics::pendingFolder(platform_.folders.logs())));
    updater_ = std::make_unique<Updater>(Updater::configuredFeed(), Updater::buildVersion());
    model_ = std::make_unique<AppModel>(platform_);
    postBackupIndexing_ =
        std::make_unique<PostBackupIndexing>(model_->controller(), model_->snapshotIndexer(), platform_);
    bootstrap();
    return true;
}

QCoro::Task<void> MenuBarApp::bootstrap() {
    try {
        auto& controller = model_->controller();
        co_await controller.bootstrap();
        if (controller.isConfigured()) {
            co_await registerBackgroundAgent(platform_.services);
        }
    } catch (const std::exception& error) {
        Log::lifecycle().error(QStringLiteral("bootstrap ended unexpectedly: ") +
                               QString::fromUtf8(error.what()));
    }
}

void MenuBarApp::requestQuit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    // Indexing stops at once; what it stored is kept for the next launch.
    auto* indexer = model_ ? model_->existingSnapshotIndexer() : nullptr;
    if (indexer) {
        indexer->cancel();
    }
    const auto backup = model_ ? model_->controller().backupTask() : nullptr;
    if (!backup && indexer && indexer->isBusy()) {
        Log::lifecycle().info(QStringLiteral("quit requested — waiting for indexing's restic to exit"));
        quitAfter(nullptr, indexer);
        return;
    }
    if (!backup) {
        Log::lifecycle().info(QStringLiteral("quit requested — no backup running, terminating now"));
        terminate();
        return;
    }
    Log::lifecycle().info(
        QStringLiteral("quit requested — cancelling running backup and waiting for restic to exit"));
    backup->cancel();
    quitAfter(backup, indexer);
}

QCoro::Task<void> MenuBarApp::quitAfter(std::shared_ptr<OperationHandle> backup, SnapshotIndexer* indexer) {
    if (backup) {
        co_await OperationHandle::wait(backup);
        Log::lifecycle().info(QStringLiteral("backup wound down — terminating"));
    }
    if (indexer) {
        co_await indexer->whenIdle();
    }
    terminate();
}
