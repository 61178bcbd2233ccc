#pragma once

#include "platform/clock.h"

#include <functional>
#include <map>
#include <memory>
#include <QJsonObject>
#include <QLocalServer>

class QLocalSocket;

namespace keldoran {

/// The tray application's local socket. It answers this user's processes only, one request per line,
/// and bounds what a client can make it hold: a line of at most 64 KiB, 8 connections at once, and no
/// connection that stays silent for 30 s.
class ControlServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<QJsonObject(const QJsonObject& request)>;

    static constexpr qsizetype maximumLineBytes = 64 * 1024;
    static constexpr int maximumConnections = 8;
    static constexpr int idleSeconds = 30;

    ControlServer(Clock& clock, Handler handler);

    /// Listens at `path`, replacing a socket file a dead process left there.
    bool listen(const QString& path);
    int connectionCount() const { return int(idleTimers_.size()); }

private:
    void accept(QLocalSocket* connection);
    void answer(QLocalSocket* connection);
    void touch(QLocalSocket* connection);
    void drop(QLocalSocket* connection);

    Clock& clock_;
    Handler handler_;
    // Before the server: its connections, destroyed with it, still find their timers.
    std::map<QLocalSocket*, std::unique_ptr<ClockTimer>> idleTimers_;
    QLocalServer server_;
};

} // namespace keldoran
