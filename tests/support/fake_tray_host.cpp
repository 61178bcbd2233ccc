// Plays a desktop's tray (a StatusNotifierWatcher with a host) on the session bus, for tests and
// benchmarks of the tray item. It prints "ready", then "registered <service> <ms since epoch>" for each
// item. Commands on standard input: "click X Y" activates the last item there (a left click; it prints
// "clicked <ms since epoch>" as it sends it), "menu" asks for its context menu; it answers "ok".
#include <cstdio>
#include <QCoreApplication>
#include <QDateTime>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <unistd.h>

class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }
    QString lastItem;

public slots:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        // Items register with a bus name or an object path on their own connection.
        lastItem = service.startsWith(QLatin1Char('/')) ? message.service() + service : service;
        items_.append(lastItem);
        std::printf("registered %s %lld\n", qPrintable(lastItem), QDateTime::currentMSecsSinceEpoch());
        std::fflush(stdout);
        auto signal = QDBusMessage::createSignal(QStringLiteral("/StatusNotifierWatcher"),
                                                 QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                 QStringLiteral("StatusNotifierItemRegistered"));
        signal << lastItem;
        QDBusConnection::sessionBus().send(signal);
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    QStringList items_;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    auto bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "fake_tray_host: cannot register on the session bus\n");
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[128] = {};
        if (::read(STDIN_FILENO, line, sizeof line - 1) <= 0) {
            application.quit();
            return;
        }
        const auto words = QString::fromUtf8(line).trimmed().split(QLatin1Char(' '));
        const auto service = watcher.lastItem.section(QLatin1Char('/'), 0, 0);
        auto path = watcher.lastItem.mid(service.size());
        if (path.isEmpty()) {
            path = QStringLiteral("/StatusNotifierItem");
        }
        const bool click = words.value(0) == QLatin1String("click");
        if (click) {
            std::printf("clicked %lld\n", QDateTime::currentMSecsSinceEpoch());
        }
        auto call = QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.kde.StatusNotifierItem"),
            click ? QStringLiteral("Activate") : QStringLiteral("ContextMenu"));
        call << words.value(1).toInt() << words.value(2).toInt();
        bus.call(call, QDBus::NoBlock);
        std::printf("ok\n");
        std::fflush(stdout);
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "fake_tray_host.moc"
