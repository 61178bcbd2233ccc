// The live power, wake and network sources against stand-ins of the system's services. Runs under
// support/with-private-session: its session bus doubles as the system bus, and the network is private.
#include "platform/network_source.h"
#include "platform/power_source.h"
#include "platform/wake_source.h"
#include "support/event_loop.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace keldoran {

namespace {

// The stand-in services in their own process, answering "ok" to each command.
class SystemServices {
public:
    SystemServices() {
        process_.start(QStringLiteral(KELDORAN_FAKE_SYSTEM_SERVICES), QStringList());
        ready_ = process_.waitForReadyRead(10000) && process_.readLine().trimmed() == "ok";
    }
    ~SystemServices() {
        process_.closeWriteChannel();
        process_.waitForFinished(5000);
    }
    bool ready() const { return ready_; }
    bool send(const QByteArray& command) {
        process_.write(command + '\n');
        return process_.waitForReadyRead(5000) && process_.readLine().trimmed() == "ok";
    }

private:
    QProcess process_;
    bool ready_ = false;
};

} // namespace

TEST(PowerSource, readsADischargingBatteryFromSysfs) {
    QTemporaryDir supplies;
    writeFile(supplies.filePath(QStringLiteral("AC/type")), "Mains\n");
    writeFile(supplies.filePath(QStringLiteral("AC/online")), "1\n");
    writeFile(supplies.filePath(QStringLiteral("BAT0/type")), "Battery\n");
    writeFile(supplies.filePath(QStringLiteral("BAT0/status")), "Charging\n");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"); // no UPower here
    const auto power = PowerSource::live(supplies.path());
    EXPECT_FALSE(power->isOnBattery());
    writeFile(supplies.filePath(QStringLiteral("BAT0/status")), "Discharging\n");
    EXPECT_TRUE(power->isOnBattery());
    EXPECT_FALSE(PowerSource::live(supplies.filePath(QStringLiteral("missing")))->isOnBattery());
}

TEST(PowerSource, asksUPowerWhenItRuns) {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    SystemServices services;
    ASSERT_TRUE(services.ready());
    QTemporaryDir noBattery;
    const auto power = PowerSource::live(noBattery.path());
    EXPECT_FALSE(power->isOnBattery());
    ASSERT_TRUE(services.send("battery on"));
    EXPECT_TRUE(power->isOnBattery());
}

TEST(WakeSource, reportsLogindsEndOfSleep) {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    SystemServices services;
    ASSERT_TRUE(services.ready());
    const auto wake = WakeSource::live();
    QSignalSpy woke(wake.get(), &WakeSource::woke);
    ASSERT_TRUE(services.send("wake"));
    EXPECT_TRUE(spinUntil([&] { return woke.count() == 1; }));
}

TEST(NetworkSource, followsTheDefaultRoute) {
    // /proc/net belongs to the network namespace (/sys/class/net still shows the machine's).
    if (!readFile(QStringLiteral("/proc/net/dev")).contains("keldoran0:")) {
        // Never change a real machine's routes: this needs with-network's private namespace.
        GTEST_SKIP() << "not in the private network namespace";
    }
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"); // no NetworkManager: the route watch
    const auto monitor = NetworkSource::live()->createMonitor();
    QList<bool> paths;
    QObject::connect(monitor.get(), &NetworkPathMonitor::pathChanged,
                     [&](bool satisfied) { paths.append(satisfied); });
    monitor->start();
    ASSERT_TRUE(spinUntil([&] { return paths.size() == 1; }));
    ASSERT_TRUE(paths.first()) << "with-network gives this test a default route";
    ASSERT_EQ(QProcess::execute(QStringLiteral("ip"), {"route", "del", "default"}), 0);
    EXPECT_TRUE(spinUntil([&] { return !paths.isEmpty() && !paths.last(); }, 5000));
    ASSERT_EQ(QProcess::execute(QStringLiteral("ip"),
                                {"route", "add", "default", "via", "10.254.0.2", "dev", "keldoran0"}),
              0);
    EXPECT_TRUE(spinUntil([&] { return paths.last(); }, 5000));
}

} // namespace keldoran
