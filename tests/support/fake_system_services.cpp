// Plays UPower and logind on the bus named by DBUS_SYSTEM_BUS_ADDRESS, for tests of the live power and
// wake sources. Commands on standard input: "battery on", "battery off", "wake"; it answers "ok" to each
// and once its services are registered.
#include <cstdio>
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <unistd.h>

class UPower : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower")
    Q_PROPERTY(bool OnBattery READ onBattery)
public:
    bool onBattery() const { return battery; }
    bool battery = false;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    auto bus = QDBusConnection::systemBus();
    UPower upower;
    QObject login;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/UPower"), &upower,
                            QDBusConnection::ExportAllProperties) ||
        !bus.registerService(QStringLiteral("org.freedesktop.UPower")) ||
        !bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &login) ||
        !bus.registerService(QStringLiteral("org.freedesktop.login1"))) {
        std::fprintf(stderr, "fake_system_services: cannot register on the bus\n");
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        if (::read(STDIN_FILENO, line, sizeof line - 1) <= 0) {
            application.quit();
            return;
        }
        const auto command = QByteArray(line).trimmed();
        if (command == "battery on" || command == "battery off") {
            upower.battery = command == "battery on";
        } else if (command == "wake") {
            auto signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                     QStringLiteral("org.freedesktop.login1.Manager"),
                                                     QStringLiteral("PrepareForSleep"));
            signal << false;
            bus.send(signal);
        }
        std::printf("ok\n");
        std::fflush(stdout);
    });
    std::printf("ok\n");
    std::fflush(stdout);
    return application.exec();
}

#include "fake_system_services.moc"
