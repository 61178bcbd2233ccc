#pragma once

#include "control/control_server.h"
#include "platform/instance_lock.h"
#include "platform/platform.h"
#include "platform/quit_signals.h"

#include <functional>
#include <memory>
#include <QCoreApplication>
#include <qcoro/qcorotask.h>
#include <QObject>

namespace keldoran {

class AppModel;
class BackupController;
class PostBackupIndexing;
class SnapshotIndexer;
class Updater;

/// The tray application's life: the launch sequence, the single-instance rule and the quit sequence,
/// which cancels the running operation and every queued one and waits for restic to end before the
/// process does.
class MenuBarApp : public QObject {
    Q_OBJECT
public:
    explicit MenuBarApp(Platform& platform);
    ~MenuBarApp() override;

    /// Runs the launch sequence. False when another instance runs; it has been asked to come forward.
    bool launch();
    AppModel& model() { return *model_; }
    /// The shared updater, created at launch.
    Updater& updater() { return *updater_; }

    /// Quits now, or after the running backup has wound down.
    void requestQuit();

    /// Ends the application once the quit sequence allows it.
    std::function<void()> terminate = [] {
        QCoreApplication::quit();
    };

signals:
    /// Another launch asked this instance to show itself.
    void raiseRequested();

private:
    QCoro::Task<void> bootstrap();
    QCoro::Task<void> quitAfterIdle(BackupController* controller, SnapshotIndexer* indexer);
    QCoro::Task<void> registerAgent();

    Platform& platform_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<ControlServer> server_;
    QuitSignals quitSignals_;
    std::unique_ptr<AppModel> model_;
    std::unique_ptr<Updater> updater_;
    std::unique_ptr<PostBackupIndexing> postBackupIndexing_;
    bool quitting_ = false;
};

} // namespace keldoran
