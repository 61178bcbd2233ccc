#include "xdg_service_registration.h"

#include <QCoreApplication>
#include <qcoro/qcorodbus.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>

namespace keldoran {

QString statusName(ServiceRegistration::Status status) {
    switch (status) {
    case ServiceRegistration::Status::notRegistered:
        return QStringLiteral("notRegistered");
    case ServiceRegistration::Status::enabled:
        return QStringLiteral("enabled");
    case ServiceRegistration::Status::requiresApproval:
        return QStringLiteral("requiresApproval");
    case ServiceRegistration::Status::notFound:
        break;
    }
    return QStringLiteral("notFound");
}

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(XdgServiceRegistration)
};

// Quotes a path for a systemd or desktop-entry command line.
QString quotedCommand(const QString& path) {
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

std::optional<QString> writeFile(const QString& path, const QString& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0 || !file.commit()) {
        return Text::tr("Couldn't write %1: %2").arg(path, file.errorString());
    }
    return std::nullopt;
}

QDBusMessage systemdCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.systemd1"),
                                          QStringLiteral("/org/freedesktop/systemd1"),
                                          QStringLiteral("org.freedesktop.systemd1.Manager"), method);
}

// Sends one call to the user's systemd; answers its error text, or none.
QCoro::Task<std::optional<QString>> callSystemd(QDBusMessage message) {
    const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(message);
    const QDBusMessage reply = co_await call;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        co_return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    }
    co_return std::nullopt;
}

QString timerName() {
    return QString::fromLatin1(XdgServiceRegistration::timerUnit);
}

QString timerContent() {
    return QStringLiteral("[Unit]\n"
                          "Description=Run Keldoran's background backup every 15 minutes\n"
                          "\n"
                          "[Timer]\n"
                          "OnCalendar=*:0/15\n"
                          "Persistent=true\n"
                          "AccuracySec=1min\n"
                          "\n"
                          "[Install]\n"
                          "WantedBy=timers.target\n");
}

// None when the file holds exactly `expected`; otherwise what is wrong with it.
std::optional<QString> differs(const QString& path, const QString& expected) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("%1 is missing").arg(path);
    }
    if (file.readAll() != expected.toUtf8()) {
        return QStringLiteral("%1 is out of date").arg(path);
    }
    return std::nullopt;
}

} // namespace

XdgServiceRegistration::XdgServiceRegistration(QString configurationFolder, QString executablePath)
    : configurationFolder_(std::move(configurationFolder))
    , executablePath_(std::move(executablePath)) {}

QString XdgServiceRegistration::autostartPath() const {
    return configurationFolder_ + QStringLiteral("/autostart/app.keldoran.Keldoran.desktop");
}

QString XdgServiceRegistration::unitFolder() const {
    return configurationFolder_ + QStringLiteral("/systemd/user");
}

ServiceRegistration::Status XdgServiceRegistration::loginItemStatus() {
    if (!QFile::exists(autostartPath())) {
        return Status::notRegistered;
    }
    QSettings entry(autostartPath(), QSettings::IniFormat);
    const bool hidden =
        entry.value(QStringLiteral("Desktop Entry/Hidden")).toString() == QLatin1String("true");
    return hidden ? Status::notRegistered : Status::enabled;
}

QString XdgServiceRegistration::autostartContent() const {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Keldoran\n"
                          "Comment=Keeps your home folder backed up\n"
                          "Exec=%1\n"
                          "Icon=app.keldoran.Keldoran\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedCommand(executablePath_));
}

std::optional<QString> XdgServiceRegistration::registerLoginItem() {
    return writeFile(autostartPath(), autostartContent());
}

QString XdgServiceRegistration::servicePath() const {
    return unitFolder() + QLatin1Char('/') + QLatin1String(serviceUnit);
}

QString XdgServiceRegistration::timerPath() const {
    return unitFolder() + QLatin1Char('/') + timerName();
}

QString XdgServiceRegistration::serviceContent() const {
    return QStringLiteral("[Unit]\n"
                          "Description=Keldoran background backup\n"
                          "\n"
                          "[Service]\n"
                          "Type=oneshot\n"
                          "Environment=KELDORAN_AGENT=1\n"
                          "ExecStart=%1\n")
        .arg(quotedCommand(executablePath_));
}

std::optional<QString> XdgServiceRegistration::loginItemDifference() {
    if (loginItemStatus() != Status::enabled) {
        return std::nullopt;
    }
    return differs(autostartPath(), autostartContent());
}

std::optional<QString> XdgServiceRegistration::agentDifference() {
    if (!QFile::exists(servicePath()) && !QFile::exists(timerPath())) {
        return std::nullopt;
    }
    if (auto difference = differs(servicePath(), serviceContent())) {
        return difference;
    }
    return differs(timerPath(), timerContent());
}

std::optional<QString> XdgServiceRegistration::unregisterLoginItem() {
    if (QFile::exists(autostartPath()) && !QFile::remove(autostartPath())) {
        return QStringLiteral("Couldn't remove %1").arg(autostartPath());
    }
    return std::nullopt;
}

QCoro::Task<ServiceRegistration::Status> XdgServiceRegistration::agentStatus() {
    auto message = systemdCall(QStringLiteral("GetUnitFileState"));
    message << timerName();
    const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(message);
    const QDBusMessage reply = co_await call;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        co_return Status::notFound;
    }
    const auto state = reply.arguments().first().toString();
    co_return state == QLatin1String("enabled") ? Status::enabled : Status::notRegistered;
}

QCoro::Task<std::optional<QString>> XdgServiceRegistration::registerAgent() {
    if (auto error = writeFile(servicePath(), serviceContent())) {
        co_return error;
    }
    if (auto error = writeFile(timerPath(), timerContent())) {
        co_return error;
    }
    const auto reload = systemdCall(QStringLiteral("Reload"));
    const auto reloadError = co_await callSystemd(reload);
    if (reloadError) {
        co_return reloadError;
    }
    auto enable = systemdCall(QStringLiteral("EnableUnitFiles"));
    enable << QStringList{timerName()} << false << true;
    const auto enableError = co_await callSystemd(enable);
    if (enableError) {
        co_return enableError;
    }
    auto start = systemdCall(QStringLiteral("StartUnit"));
    start << timerName() << QStringLiteral("replace");
    const auto error = co_await callSystemd(start);
    co_return error;
}

QCoro::Task<std::optional<QString>> XdgServiceRegistration::unregisterAgent() {
    auto stop = systemdCall(QStringLiteral("StopUnit"));
    stop << timerName() << QStringLiteral("replace");
    const auto stopError = co_await callSystemd(stop);
    auto disable = systemdCall(QStringLiteral("DisableUnitFiles"));
    disable << QStringList{timerName()} << false;
    const auto disableError = co_await callSystemd(disable);
    QFile::remove(unitFolder() + QLatin1Char('/') + timerName());
    QFile::remove(unitFolder() + QLatin1Char('/') + QLatin1String(serviceUnit));
    const auto reload = systemdCall(QStringLiteral("Reload"));
    co_await callSystemd(reload);
    co_return disableError ? disableError : stopError;
}

} // namespace keldoran
