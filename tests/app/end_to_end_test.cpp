// The real keldoran and restic against the S3 test server over TLS. Runs under support/with-network and
// support/with-keyring: a private network with a default route, a private bus and a throwaway keyring.
#include "app/menu_bar_app.h"
#include "backup/backup_controller.h"
#include "ctl/ctl_messages.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/instance_lock.h"
#include "platform/instance_paths.h"
#include "restic/restore_selection.h"
#include "storage/storage_config.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/local_repository.h"
#include "support/log_capture.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>

namespace keldoran {

namespace {

const QString password = QStringLiteral("end-to-end password");

void writeRandomFile(const QString& path, qint64 size) {
    QFile random(QStringLiteral("/dev/urandom"));
    random.open(QIODevice::ReadOnly);
    writeFile(path, random.read(size));
}

// The pid of the restic backup that reads `home`, if one runs.
std::optional<int> resticBackupOf(const QString& home) {
    for (const auto& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const auto arguments = readFile(QStringLiteral("/proc/%1/cmdline").arg(pid)).split('\0');
        if (arguments.value(0).endsWith("restic") && arguments.value(1) == "backup" &&
            arguments.contains(home.toUtf8())) {
            return pid.toInt();
        }
    }
    return std::nullopt;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        test.storeConfiguration(QString::fromLatin1(S3TestServer::bucket), password);
        server.addClientEnvironment(test.platform().environment);
        await(restic().initRepository());
    }

    // Restic for the configured repository, as the application builds it.
    Restic restic() {
        const auto repository =
            StorageConfig::load(test.settings())
                ->repository(QStringLiteral("S3RVER"), QStringLiteral("S3RVER"), password, server.endpoint());
        return Restic(ResticProcess(realRestic(), repository,
                                    {test.platform().environment, test.platform().folders.caches}));
    }

    QProcessEnvironment environment() const {
        auto environment = test.processEnvironment(test.platform().environment);
        environment.insert(QStringLiteral("KELDORAN_AGENT"), QStringLiteral("1"));
        return environment;
    }

    std::unique_ptr<QProcess> startAgent() {
        auto agent = std::make_unique<QProcess>();
        agent->setProcessEnvironment(environment());
        agent->start(QStringLiteral(KELDORAN_EXECUTABLE), QStringList());
        return agent;
    }

    int runAgent() {
        auto agent = startAgent();
        agent->waitForFinished(300000);
        return agent->exitStatus() == QProcess::NormalExit ? agent->exitCode() : -1;
    }

    // The agent's log lines from `from` on, without their timestamps.
    QStringList agentLog(int from = 0) const {
        const auto text = readFile(test.platform().folders.logs() + QStringLiteral("/Keldoran.log"));
        QStringList lines;
        for (const auto& line : QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            lines.append(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
        }
        return lines.mid(from);
    }

    QStringList snapshotPaths() {
        QStringList paths;
        for (const auto& entry : await(restic().ls(QStringLiteral("latest"), {}))) {
            if (entry.path.startsWith(test.home() + QLatin1Char('/'))) {
                paths.append(entry.path.mid(test.home().size() + 1));
            }
        }
        return paths;
    }

    S3TestServer server;
    TestPlatform test;
};

} // namespace

TEST_F(EndToEnd, theAgentBacksUpTheHomeFolderMinusItsExclusionsThenFindsNothingDue) {
    const auto home = test.home();
    for (const char* file :
         {"Documents/report.txt", "Documents/node_modules/lib/index.js", "project/.git/config",
          ".cache/thumbnails/a.png", ".mozilla/profile/cookies.sqlite", ".ssh/id_ed25519",
          ".config/app/settings.ini", ".gnupg/pubring.kbx", ".bashrc", "cached/CACHEDIR.TAG", "cached/blob",
          "Photos [2019]/a.jpg", "Photos 2/b.jpg", "VMs/disk.vmdk"}) {
        writeFile(home + QLatin1Char('/') + QLatin1String(file),
                  QByteArray(file) == "cached/CACHEDIR.TAG" ? "Signature: 8a477f597d28d172789f06886806bc55"
                                                            : file);
    }
    test.settings().setValue(SettingsKeys::excludedScopePaths,
                             QByteArray("[\"" + (home + QStringLiteral("/Photos [2019]")).toUtf8() + "\"]"));

    ASSERT_EQ(runAgent(), 0);
    const QList<QRegularExpression> expected{
        QRegularExpression(QStringLiteral(R"(^\[INFO\] lifecycle: agent tick — Keldoran \S+ \(\d+\)$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] lifecycle: bootstrap: configured$)")),
        QRegularExpression(QStringLiteral(
            R"(^\[INFO\] lifecycle: bootstrap: KELDORAN_S3_ENDPOINT is set — storage endpoint replaced by 127\.0\.0\.1:\d+$)")),
        QRegularExpression(
            QStringLiteral(R"(^\[INFO\] lifecycle: agent: scheduled backup starting \(last: never\)$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] queue: backup started$)")),
        QRegularExpression(
            QStringLiteral(R"(^\[INFO\] backup: summary: \+\d+ bytes, 0 warnings, 24 excludes$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] backup: retention applied with prune$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] backup: cache cleanup ran$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] check: integrity check passed$)")),
        QRegularExpression(QStringLiteral(
            R"(^\[INFO\] check: integrity check read data subset 1/52: \d+ of \d+ data packs(, about .*)?$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] queue: backup finished$)")),
        QRegularExpression(QStringLiteral(R"(^\[INFO\] lifecycle: agent: backup finished — exiting$)")),
    };
    const auto lines = agentLog();
    ASSERT_EQ(lines.size(), expected.size()) << lines.join(QLatin1Char('\n')).toStdString();
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(expected[i].match(lines[i]).hasMatch()) << lines[i].toStdString();
    }

    const auto paths = snapshotPaths();
    for (const char* kept : {"Documents/report.txt", ".ssh/id_ed25519", ".config/app/settings.ini",
                             ".gnupg/pubring.kbx", ".bashrc", "cached/CACHEDIR.TAG", "Photos 2/b.jpg"}) {
        EXPECT_TRUE(paths.contains(QLatin1String(kept))) << kept;
    }
    for (const char* left : {"Documents/node_modules", "project/.git", ".cache", ".mozilla", "cached/blob",
                             "Photos [2019]", "VMs/disk.vmdk"}) {
        EXPECT_FALSE(paths.contains(QLatin1String(left))) << left;
    }

    ASSERT_EQ(runAgent(), 0);
    const auto second = agentLog(int(lines.size()));
    ASSERT_EQ(second.size(), 4) << second.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(second.last(), QStringLiteral("[INFO] lifecycle: agent skipped: notDue"));
}

TEST_F(EndToEnd, aBackupKilledMidwayLeavesALockTheNextBackupGetsPast) {
    for (int i = 0; i < 30; ++i) {
        writeRandomFile(test.home() + QStringLiteral("/data/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    auto agent = startAgent();
    const auto locks = server.dataDirectory() + QStringLiteral("/") + QLatin1String(S3TestServer::bucket) +
                       QStringLiteral("/locks");
    std::optional<int> backup;
    ASSERT_TRUE(spinUntil(
        [&] {
            backup = resticBackupOf(test.home());
            return backup && QDir(locks).exists() && !QDir(locks).isEmpty(QDir::Files | QDir::NoDotAndDotDot);
        },
        60000));
    ::kill(*backup, SIGKILL);
    ASSERT_TRUE(agent->waitForFinished(120000));
    EXPECT_EQ(agent->exitCode(), 0);
    EXPECT_TRUE(agentLog().contains(
        QStringLiteral("[ERROR] backup: failed: restic stopped unexpectedly (signal 9).")));

    const auto before = int(agentLog().size());
    ASSERT_EQ(runAgent(), 0);
    const auto next = agentLog(before);
    EXPECT_TRUE(next.contains(QStringLiteral("[INFO] backup: retention applied with prune")))
        << next.join('\n').toStdString();
    EXPECT_TRUE(next.contains(QStringLiteral("[INFO] check: integrity check passed")));
    EXPECT_EQ(await(restic().snapshots()).size(), 1);
    await(restic().check());
}

TEST_F(EndToEnd, keldoranctlBackupDuringTheAgentsBackupSaysWhoIsBackingUpAndStartsNoSecondRestic) {
    for (int i = 0; i < 40; ++i) {
        writeRandomFile(test.home() + QStringLiteral("/data/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    auto agent = startAgent();
    std::optional<int> backup;
    ASSERT_TRUE(spinUntil([&] { return (backup = resticBackupOf(test.home())).has_value(); }, 60000));
    // The agent's restic is held stopped so that however slow this machine is, keldoranctl has to answer
    // while the backup runs: waiting for it to end would never return.
    ASSERT_EQ(::kill(*backup, SIGSTOP), 0);
    QProcess ctl;
    auto ctlEnvironment = environment();
    ctlEnvironment.remove(QStringLiteral("KELDORAN_AGENT"));
    ctl.setProcessEnvironment(ctlEnvironment);
    ctl.start(QStringLiteral(KELDORAN_CTL), {QStringLiteral("backup")});
    const bool answered = ctl.waitForFinished(60000);
    if (!answered) {
        ctl.kill();
        ctl.waitForFinished();
    }
    ::kill(*backup, SIGCONT);
    ASSERT_TRUE(answered) << "keldoranctl waited for the agent's backup instead of answering";
    EXPECT_EQ(ctl.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(ctl.readAllStandardError()),
              QStringLiteral("A backup started by the background agent is running.\n"));
    ASSERT_TRUE(agent->waitForFinished(300000));
    EXPECT_EQ(agent->exitCode(), 0);
    EXPECT_EQ(await(restic().snapshots()).size(), 1);
}

// keldoranctl's pause and resume while another keldoranctl backs up: nobody takes requests, so they are
// applied directly rather than failing as "running but not answering".
TEST_F(EndToEnd, keldoranctlPausesAndResumesWhileAnotherKeldoranctlBacksUp) {
    for (int i = 0; i < 40; ++i) {
        writeRandomFile(test.home() + QStringLiteral("/data/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    auto ctlEnvironment = environment();
    ctlEnvironment.remove(QStringLiteral("KELDORAN_AGENT"));
    const auto ctl = [&](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(ctlEnvironment);
        process.start(QStringLiteral(KELDORAN_CTL), arguments);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
        }
        return std::pair{process.exitCode(),
                         QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    };
    QProcess backingUp;
    backingUp.setProcessEnvironment(ctlEnvironment);
    backingUp.start(QStringLiteral(KELDORAN_CTL), {QStringLiteral("backup")});
    std::optional<int> backup;
    ASSERT_TRUE(spinUntil([&] { return (backup = resticBackupOf(test.home())).has_value(); }, 60000));
    // Held stopped, the backup is surely still running while pause and resume are asked for.
    ASSERT_EQ(::kill(*backup, SIGSTOP), 0);
    const auto paused = ctl({QStringLiteral("pause"), QStringLiteral("1h")});
    const auto pausedAfterwards = test.settings().boolValue(SettingsKeys::isPaused);
    const auto resumed = ctl({QStringLiteral("resume")});
    ::kill(*backup, SIGCONT);
    ASSERT_TRUE(backingUp.waitForFinished(300000));
    EXPECT_EQ(paused.first, 0) << paused.second.toStdString();
    EXPECT_TRUE(paused.second.startsWith(QStringLiteral("Paused until "))) << paused.second.toStdString();
    EXPECT_EQ(pausedAfterwards, true);
    EXPECT_EQ(resumed, (std::pair{0, QStringLiteral("Protection resumed.\n")}));
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::isPaused), false);
    EXPECT_EQ(backingUp.exitCode(), 0) << backingUp.readAllStandardError().toStdString();

    // A tray that holds the lock but cannot be reached keeps the pause it shows: nothing is written
    // behind its back, and the failure is told.
    const auto trayLock = InstanceLock::acquire(InstancePaths::appLock(test.platform().folders));
    ASSERT_TRUE(trayLock);
    trayLock->setHolder(QStringLiteral("keldoran"));
    const auto unanswered = ctl({QStringLiteral("pause"), QStringLiteral("1h")});
    EXPECT_EQ(unanswered.first, 1);
    EXPECT_EQ(unanswered.second, CtlMessages::runningButSilent() + QLatin1Char('\n'));
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::isPaused), false);
}

TEST_F(EndToEnd, quittingDuringABackupWaitsForResticToExit) {
    for (int i = 0; i < 40; ++i) {
        writeRandomFile(test.home() + QStringLiteral("/data/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    LogCapture log;
    MenuBarApp app(test.platform());
    bool terminated = false;
    bool resticGoneAtTermination = false;
    app.terminate = [&] {
        terminated = true;
        resticGoneAtTermination = !resticBackupOf(test.home());
    };
    ASSERT_TRUE(app.launch());
    auto& model = app.model();
    // Bootstrap done: the agent's registration is its last step.
    ASSERT_TRUE(spinUntil(
        [&] {
            return log.messages(QStringLiteral("lifecycle"))
                .contains(QStringLiteral("background agent registered (status: enabled)"));
        },
        60000));
    model.controller().startBackup();
    ASSERT_TRUE(spinUntil([&] { return resticBackupOf(test.home()).has_value(); }, 30000));
    app.requestQuit();
    ASSERT_TRUE(spinUntil([&] { return terminated; }, 120000));
    EXPECT_TRUE(resticGoneAtTermination);

    const auto lifecycle = log.messages(QStringLiteral("lifecycle"));
    ASSERT_GE(lifecycle.size(), 2);
    EXPECT_EQ(lifecycle.mid(lifecycle.size() - 2),
              (QStringList{
                  "quit requested — cancelling the running backup and 0 queued, waiting for restic to exit",
                  "operations wound down — terminating"}));
    EXPECT_EQ(lifecycle.count(QStringLiteral(
                  "quit requested — cancelling the running backup and 0 queued, waiting for restic to exit")),
              1);
    const auto lines = log.lines();
    EXPECT_LT(lines.indexOf(QStringLiteral("[INFO] backup: cancelled by user or quit")),
              lines.indexOf(QStringLiteral("[INFO] lifecycle: operations wound down — terminating")));
    EXPECT_EQ(model.lastBackupFailure(), std::nullopt);
}

// A backup a quit interrupted is told and run again at the next launch; a backup the user cancelled is not.
TEST_F(EndToEnd, aBackupInterruptedByQuitIsResumedAtTheNextLaunch) {
    for (int i = 0; i < 20; ++i) {
        writeRandomFile(test.home() + QStringLiteral("/data/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    {
        MenuBarApp app(test.platform());
        bool terminated = false;
        app.terminate = [&] {
            terminated = true;
        };
        ASSERT_TRUE(app.launch());
        ASSERT_TRUE(spinUntil([&] { return app.model().nextBackup().has_value(); }, 60000));
        app.model().controller().startBackup();
        ASSERT_TRUE(spinUntil([&] { return resticBackupOf(test.home()).has_value(); }, 30000));
        app.requestQuit();
        ASSERT_TRUE(spinUntil([&] { return terminated; }, 120000));
        await(app.model().controller().whenIdle());
    }
    ASSERT_EQ(test.settings().boolValue(SettingsKeys::backupUnfinished), true);
    {
        AppModel stillClosed(test.platform());
        EXPECT_TRUE(stillClosed.lastBackupUnfinished());
    }

    // This launch cannot register the background backups: the reason is kept for the popover, and asking
    // again registers them.
    test.services.agent = ServiceRegistration::Status::notRegistered;
    test.services.agentFailure = QStringLiteral("no systemd user session");
    MenuBarApp app(test.platform());
    bool terminated = false;
    app.terminate = [&] {
        terminated = true;
    };
    ASSERT_TRUE(app.launch());
    auto& model = app.model();
    EXPECT_TRUE(model.lastBackupUnfinished()); // told until it runs
    ASSERT_TRUE(spinUntil([&] { return model.agentRegistrationProblem().has_value(); }, 60000));
    EXPECT_EQ(model.agentRegistrationProblem(), QStringLiteral("no systemd user session"));
    test.services.agentFailure.reset();
    model.requestAgentRegistration();
    ASSERT_TRUE(spinUntil([&] { return !model.agentRegistrationProblem().has_value(); }, 10000));
    ASSERT_TRUE(
        spinUntil([&] { return !model.lastBackupUnfinished() && model.lastBackup().has_value(); }, 120000));
    // The backup's maintenance (a first prune) holds the repository's exclusive lock a while longer.
    await(model.controller().whenIdle());
    const auto snapshots = await(restic().snapshots());
    EXPECT_EQ(snapshots.size(), 1);

    // Cancelled by the user, it is not owed.
    ASSERT_TRUE(spinUntil([&] { return !model.controller().hasBackupTask(); }, 60000));
    model.controller().startBackup();
    ASSERT_TRUE(spinUntil([&] { return model.lastBackupUnfinished(); }, 30000));
    model.controller().cancelBackup();
    ASSERT_TRUE(spinUntil([&] { return !model.controller().hasBackupTask(); }, 60000));
    EXPECT_FALSE(model.lastBackupUnfinished());
    // Indexing after the backup may still run restic: the quit sequence ends it.
    app.requestQuit();
    ASSERT_TRUE(spinUntil([&] { return terminated; }, 60000));
}

} // namespace keldoran
