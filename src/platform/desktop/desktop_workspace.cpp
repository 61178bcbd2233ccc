#include "desktop_workspace.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>

namespace keldoran {

void DesktopWorkspace::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

void DesktopWorkspace::reveal(const QString& path, std::function<void()> failed) {
    const auto folder = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
    const auto openFolder = [folder, failed] {
        if (!QDesktopServices::openUrl(folder) && failed) {
            failed();
        }
    };
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolder();
        return;
    }
    auto message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    message << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [openFolder](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (call->isError()) {
            openFolder();
        }
    });
}

} // namespace keldoran
