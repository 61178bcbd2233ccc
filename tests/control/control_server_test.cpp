// The control socket and the runtime folder, tried as another local user would.
#include "control/control_server.h"
#include "control/remote_control.h"
#include "platform/instance_lock.h"
#include "platform/instance_paths.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace {

constexpr uid_t nobody = 65534;

QString foreignPeer() {
    return QStringLiteral(KELDORAN_FOREIGN_PEER);
}

// A folder anyone may enter, as /tmp is.
std::unique_ptr<QTemporaryDir> openFolder() {
    auto folder = std::make_unique<QTemporaryDir>();
    ::chmod(QFile::encodeName(folder->path()).constData(), 0777);
    return folder;
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

struct Server {
    Server()
        : server(clock, [this](const QJsonObject& request) {
            requests.append(request);
            return QJsonObject{{QStringLiteral("ok"), true},
                               {QStringLiteral("message"), QStringLiteral("ours")}};
        }) {}

    FakeClock clock;
    QList<QJsonObject> requests;
    ControlServer server;
};

// A connected client of this user.
std::unique_ptr<QLocalSocket> connectTo(const QString& path) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
}

QByteArray replyTo(QLocalSocket& socket, const QByteArray& line) {
    socket.write(line);
    EXPECT_TRUE(spinUntil([&] { return socket.canReadLine(); }));
    return socket.readLine();
}

} // namespace

TEST(ControlServer, dropsEveryConnectionOfAnotherUser) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "becoming another user needs root";
    }
    const auto folder = openFolder();
    const auto path = folder->filePath(QStringLiteral("app.socket"));
    Server running;
    ASSERT_TRUE(running.server.listen(path));
    // Even with the socket opened to everyone, only the peer's uid decides.
    ::chmod(QFile::encodeName(path).constData(), 0777);

    QProcess other;
    other.start(foreignPeer(), {QStringLiteral("connect"), path, QStringLiteral(R"({"command":"backup"})")});
    ASSERT_TRUE(spinUntil([&] { return other.state() == QProcess::NotRunning; }));
    EXPECT_EQ(other.exitCode(), 3) << other.readAllStandardError().toStdString();
    EXPECT_TRUE(running.requests.isEmpty());
    EXPECT_EQ(running.server.connectionCount(), 0);

    auto ours = connectTo(path);
    EXPECT_EQ(replyTo(*ours, R"({"command":"status"})"
                             "\n"),
              QByteArray(R"({"message":"ours","ok":true})"
                         "\n"));
    EXPECT_EQ(running.requests.size(), 1);
}

TEST(RemoteControl, believesNothingFromASocketOfAnotherUser) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "becoming another user needs root";
    }
    const auto folder = openFolder();
    const auto path = folder->filePath(QStringLiteral("app.socket"));
    QProcess squatter;
    squatter.start(foreignPeer(), {QStringLiteral("serve"), path});
    ASSERT_TRUE(squatter.waitForReadyRead(5000));
    EXPECT_EQ(squatter.readLine(), QByteArray("ready\n"));

    EXPECT_EQ(await(RemoteControl::send(path, {{QStringLiteral("command"), QStringLiteral("status")}})),
              std::nullopt);

    squatter.kill();
    squatter.waitForFinished();
    Server running;
    ASSERT_TRUE(running.server.listen(path));
    const auto answer =
        await(RemoteControl::send(path, {{QStringLiteral("command"), QStringLiteral("status")}}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value(QLatin1String("message")).toString(), QStringLiteral("ours"));
}

TEST(ControlServer, boundsLineLengthConnectionsAndIdleTime) {
    QTemporaryDir folder;
    const auto path = folder.filePath(QStringLiteral("app.socket"));
    Server running;
    ASSERT_TRUE(running.server.listen(path));
    EXPECT_EQ(modeOf(path) & 0077, 0u);

    // A request as long as a line may be is answered; a line without end beyond it ends the connection.
    auto longest = connectTo(path);
    const QByteArray padding(ControlServer::maximumLineBytes - 40, ' ');
    const auto request = QByteArray(R"({"command":"status","pad":")") + padding + "\"}";
    ASSERT_LE(request.size(), ControlServer::maximumLineBytes);
    EXPECT_EQ(replyTo(*longest, request + '\n'), QByteArray(R"({"message":"ours","ok":true})"
                                                            "\n"));
    longest->write(QByteArray(ControlServer::maximumLineBytes + 1, 'x'));
    EXPECT_TRUE(spinUntil([&] { return longest->state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(running.requests.size(), 1);

    // Garbage is answered, not fatal.
    auto garbage = connectTo(path);
    EXPECT_EQ(replyTo(*garbage, "not json\n"), QByteArray(R"({"message":"Unknown command.","ok":false})"
                                                          "\n"));
    garbage.reset();
    EXPECT_TRUE(spinUntil([&] { return running.server.connectionCount() == 0; }));

    // At most eight at once: the ninth is refused while they stay open.
    std::vector<std::unique_ptr<QLocalSocket>> open;
    for (int index = 0; index < ControlServer::maximumConnections; ++index) {
        open.push_back(connectTo(path));
    }
    EXPECT_TRUE(
        spinUntil([&] { return running.server.connectionCount() == ControlServer::maximumConnections; }));
    auto ninth = connectTo(path);
    EXPECT_TRUE(spinUntil([&] { return ninth->state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(running.server.connectionCount(), ControlServer::maximumConnections);

    // A connection that stays silent is dropped after its idle time; one that speaks is kept.
    running.clock.advance(ControlServer::idleSeconds - 1);
    EXPECT_EQ(replyTo(*open[0], R"({"command":"status"})"
                                "\n")
                  .isEmpty(),
              false);
    running.clock.advance(2);
    EXPECT_TRUE(spinUntil([&] { return running.server.connectionCount() == 1; }));
    EXPECT_EQ(open[0]->state(), QLocalSocket::ConnectedState);
    running.clock.advance(ControlServer::idleSeconds);
    EXPECT_TRUE(spinUntil([&] { return running.server.connectionCount() == 0; }));
}

TEST(InstanceLock, saysWhoHoldsItOnlyWhileItIsHeld) {
    QTemporaryDir folder;
    const auto path = folder.filePath(QStringLiteral("app.lock"));
    EXPECT_EQ(InstanceLock::holder(path), QString());
    {
        const auto lock = InstanceLock::acquire(path);
        ASSERT_TRUE(lock);
        EXPECT_EQ(InstanceLock::holder(path), QString()) << "not said yet";
        lock->setHolder(QStringLiteral("keldoranctl"));
        EXPECT_EQ(InstanceLock::holder(path), QStringLiteral("keldoranctl"));
        lock->setHolder(QStringLiteral("keldoran"));
        EXPECT_EQ(InstanceLock::holder(path), QStringLiteral("keldoran"));
    }
    EXPECT_EQ(InstanceLock::holder(path), QString());
    EXPECT_EQ(QFileInfo(path).size(), 0) << "a holder that has gone is not left to be read";
}

TEST(InstanceLock, usesOnlyARuntimeFolderThatIsPrivateToThisUser) {
    QTemporaryDir fresh;
    EXPECT_TRUE(InstanceLock::isFolderPrivate(fresh.path()));
    EXPECT_EQ(modeOf(fresh.filePath(QStringLiteral("keldoran"))), 0700u);
    EXPECT_EQ(InstancePaths::unsafeFolderProblem(UserFolders{{}, {}, {}, {}, fresh.path()}), std::nullopt);

    QTemporaryDir widened;
    ::mkdir(QFile::encodeName(widened.filePath(QStringLiteral("keldoran"))).constData(), 0700);
    ::chmod(QFile::encodeName(widened.filePath(QStringLiteral("keldoran"))).constData(), 0777);
    EXPECT_FALSE(InstanceLock::isFolderPrivate(widened.path()));
    EXPECT_EQ(modeOf(widened.filePath(QStringLiteral("keldoran"))), 0777u)
        << "a folder found is never adopted";

    QTemporaryDir linked;
    ::symlink(QFile::encodeName(fresh.filePath(QStringLiteral("keldoran"))).constData(),
              QFile::encodeName(linked.filePath(QStringLiteral("keldoran"))).constData());
    EXPECT_FALSE(InstanceLock::isFolderPrivate(linked.path()));

    QTemporaryDir file;
    QFile plain(file.filePath(QStringLiteral("keldoran")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_FALSE(InstanceLock::isFolderPrivate(file.path()));

    if (::getuid() == 0) {
        QTemporaryDir squatted;
        const auto folder = squatted.filePath(QStringLiteral("keldoran"));
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
        EXPECT_FALSE(InstanceLock::isFolderPrivate(squatted.path()));
        const auto problem = InstancePaths::unsafeFolderProblem(UserFolders{{}, {}, {}, {}, squatted.path()});
        ASSERT_TRUE(problem);
        EXPECT_TRUE(problem->contains(folder)) << problem->toStdString();
    }
}

} // namespace keldoran
