#include "keyring.h"

#include "event_loop.h"

#include <csignal>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>

namespace keldoran {

namespace TestKeyring {

bool lockDefaultCollection() {
    auto message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("Lock"));
    message << QVariant::fromValue(
        QList<QDBusObjectPath>{QDBusObjectPath(QStringLiteral("/org/freedesktop/secrets/aliases/default"))});
    return QDBusConnection::sessionBus().call(message).type() == QDBusMessage::ReplyMessage;
}

bool stopSecretService() {
    const auto pid = qEnvironmentVariableIntValue("KELDORAN_TEST_KEYRING_PID");
    if (pid <= 0 || ::kill(pid, SIGTERM) != 0) {
        return false;
    }
    return spinUntil([] {
        return !QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.freedesktop.secrets"));
    });
}

QString secretTool(const QStringList& arguments, const QByteArray& input) {
    QProcess tool;
    tool.start(QStringLiteral("secret-tool"), arguments);
    tool.write(input);
    tool.closeWriteChannel();
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace TestKeyring

} // namespace keldoran
