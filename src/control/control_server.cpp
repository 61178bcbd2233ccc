#include "control_server.h"

#include "control_request.h"
#include "logging/log.h"
#include "platform/peer_credentials.h"
#include "remote_control.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocalSocket>

namespace keldoran {

ControlServer::ControlServer(Clock& clock, Handler handler)
    : clock_(clock)
    , handler_(std::move(handler)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (auto* connection = server_.nextPendingConnection()) {
            accept(connection);
        }
    });
}

bool ControlServer::listen(const QString& path) {
    QFile::remove(path);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(path);
}

void ControlServer::accept(QLocalSocket* connection) {
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    connect(connection, &QObject::destroyed, this, [this, connection] { idleTimers_.erase(connection); });
    if (!PeerCredentials::isSameUser(connection->socketDescriptor())) {
        Log::lifecycle().error(QStringLiteral("control connection from another user dropped"));
        connection->abort();
        connection->deleteLater();
        return;
    }
    if (connectionCount() >= maximumConnections) {
        Log::lifecycle().error(
            QStringLiteral("control connection dropped: %1 already open").arg(maximumConnections));
        connection->abort();
        connection->deleteLater();
        return;
    }
    // The buffer holds one longest line and its end; more without a line end is a client to drop.
    connection->setReadBufferSize(maximumLineBytes + 1);
    connect(connection, &QLocalSocket::readyRead, this, [this, connection] { answer(connection); });
    touch(connection);
}

void ControlServer::answer(QLocalSocket* connection) {
    touch(connection);
    while (connection->canReadLine()) {
        const auto request = ControlRequest::parse(connection->readLine(maximumLineBytes + 1));
        const auto reply = request ? handler_(*request) : RemoteControl::unreadableRequest();
        connection->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
    }
    if (connection->bytesAvailable() > maximumLineBytes) {
        Log::lifecycle().error(
            QStringLiteral("control connection dropped: a line longer than %1 bytes").arg(maximumLineBytes));
        drop(connection);
    }
}

void ControlServer::touch(QLocalSocket* connection) {
    idleTimers_[connection] =
        clock_.callAt(clock_.now().addSecs(idleSeconds), [this, connection] { drop(connection); });
}

void ControlServer::drop(QLocalSocket* connection) {
    idleTimers_.erase(connection);
    connection->abort();
    connection->deleteLater();
}

} // namespace keldoran
