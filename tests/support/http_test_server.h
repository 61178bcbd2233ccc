#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

namespace keldoran {

/// A one-page HTTP server on 127.0.0.1 for tests: every request gets `body` with `status`.
class HttpTestServer : public QObject {
public:
    HttpTestServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (auto* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n")) {
                        return; // the request's head is not complete yet
                    }
                    ++requests;
                    socket->write("HTTP/1.1 " + status +
                                  "\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QUrl url(const QString& path = QStringLiteral("/appcast.xml")) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }

    QByteArray status = "200 OK";
    QByteArray body;
    int requests = 0;

private:
    QTcpServer server_;
};

} // namespace keldoran
