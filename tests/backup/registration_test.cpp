// Runs under support/with-keyring, whose private session bus carries a stand-in for systemd's manager.
#include "backup/registration.h"
#include "platform/xdg_service_registration.h"
#include "support/coroutines.h"
#include "support/fake_platform.h"
#include "support/local_repository.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace keldoran {

namespace {

/// The parts of systemd's manager interface the registration uses, on the session bus.
class FakeSystemdManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Manager")
public:
    QStringList calls;
    QSet<QString> enabled;

public slots:
    QString GetUnitFileState(const QString& unit) {
        return enabled.contains(unit) ? QStringLiteral("enabled") : QStringLiteral("disabled");
    }
    void Reload() { calls << QStringLiteral("Reload"); }
    void EnableUnitFiles(const QStringList& units, bool runtime, bool force) {
        calls << QStringLiteral("EnableUnitFiles %1 %2 %3").arg(units.join(' ')).arg(runtime).arg(force);
        for (const auto& unit : units) {
            enabled.insert(unit);
        }
    }
    void DisableUnitFiles(const QStringList& units, bool runtime) {
        calls << QStringLiteral("DisableUnitFiles %1 %2").arg(units.join(' ')).arg(runtime);
        for (const auto& unit : units) {
            enabled.remove(unit);
        }
    }
    QDBusObjectPath StartUnit(const QString& unit, const QString& mode) {
        calls << QStringLiteral("StartUnit %1 %2").arg(unit, mode);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/1"));
    }
    QDBusObjectPath StopUnit(const QString& unit, const QString& mode) {
        calls << QStringLiteral("StopUnit %1 %2").arg(unit, mode);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/2"));
    }
};

bool publish(FakeSystemdManager& manager) {
    auto bus = QDBusConnection::sessionBus();
    return bus.registerObject(QStringLiteral("/org/freedesktop/systemd1"), &manager,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.systemd1"));
}

} // namespace

TEST(XdgServiceRegistration, theLoginItemIsAnAutostartEntry) {
    QTemporaryDir configuration;
    XdgServiceRegistration registration(configuration.path(), QStringLiteral("/opt/Keldoran Apps/keldoran"));
    EXPECT_EQ(registration.loginItemStatus(), ServiceRegistration::Status::notRegistered);
    EXPECT_EQ(registration.registerLoginItem(), std::nullopt);
    EXPECT_EQ(registration.autostartPath(),
              configuration.path() + QStringLiteral("/autostart/app.keldoran.Keldoran.desktop"));
    EXPECT_EQ(registration.loginItemStatus(), ServiceRegistration::Status::enabled);
    const auto entry = readFile(registration.autostartPath());
    EXPECT_TRUE(entry.contains("Exec=\"/opt/Keldoran Apps/keldoran\"\n")) << entry.toStdString();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n"));

    // Turned off in the desktop's own settings: Hidden=true.
    writeFile(registration.autostartPath(), entry + "Hidden=true\n");
    EXPECT_EQ(registration.loginItemStatus(), ServiceRegistration::Status::notRegistered);
    EXPECT_EQ(registration.unregisterLoginItem(), std::nullopt);
    EXPECT_FALSE(QFile::exists(registration.autostartPath()));
}

TEST(XdgServiceRegistration, theAgentIsATimerEnabledThroughSystemd) {
    FakeSystemdManager manager;
    ASSERT_TRUE(publish(manager));
    QTemporaryDir configuration;
    XdgServiceRegistration registration(configuration.path(), QStringLiteral(KELDORAN_EXECUTABLE));
    EXPECT_EQ(await(registration.agentStatus()), ServiceRegistration::Status::notRegistered);
    EXPECT_EQ(await(registration.registerAgent()), std::nullopt);
    EXPECT_EQ(await(registration.agentStatus()), ServiceRegistration::Status::enabled);
    EXPECT_EQ(manager.calls, (QStringList{"Reload", "EnableUnitFiles app.keldoran.Keldoran.agent.timer 0 1",
                                          "StartUnit app.keldoran.Keldoran.agent.timer replace"}));
    const auto service = QString::fromUtf8(
        readFile(registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.service")));
    EXPECT_TRUE(service.contains(QStringLiteral(
        "Type=oneshot\nEnvironment=KELDORAN_AGENT=1\nExecStart=\"" KELDORAN_EXECUTABLE "\"\n")));
    const auto timer = QString::fromUtf8(
        readFile(registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.timer")));
    EXPECT_TRUE(timer.contains(QStringLiteral("OnCalendar=*:0/15\nPersistent=true\n")));

    // systemd itself accepts both units.
    QProcess verify;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configuration.path());
    verify.setProcessEnvironment(environment);
    verify.start(QStringLiteral("systemd-analyze"),
                 {QStringLiteral("verify"), QStringLiteral("--user"), QStringLiteral("--man=no"),
                  registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.service"),
                  registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.timer")});
    ASSERT_TRUE(verify.waitForFinished(30000));
    const auto complaints = QString::fromUtf8(verify.readAllStandardError());
    EXPECT_FALSE(complaints.contains(QStringLiteral("app.keldoran.Keldoran.agent")))
        << complaints.toStdString();

    EXPECT_EQ(await(registration.unregisterAgent()), std::nullopt);
    EXPECT_EQ(await(registration.agentStatus()), ServiceRegistration::Status::notRegistered);
    EXPECT_FALSE(
        QFile::exists(registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.timer")));
}

TEST(Registration, withoutAUserSystemdTheAgentRegistrationFailureIsLoggedAndAnswered) {
    QTemporaryDir configuration;
    XdgServiceRegistration registration(configuration.path(), QStringLiteral("/usr/bin/keldoran"));
    LogCapture log;
    const auto problem = await(registerBackgroundAgent(&registration));
    ASSERT_TRUE(problem.has_value());
    EXPECT_FALSE(problem->isEmpty());
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("[ERROR] lifecycle: background agent registration failed: ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" (status: notFound)")));
}

TEST(Registration, logsEachAttemptWithTheStatusReadAfterIt) {
    FakeServiceRegistration services;
    LogCapture log;
    EXPECT_EQ(await(registerBackgroundAgent(&services)), std::nullopt);
    EXPECT_EQ(await(registerBackgroundAgent(&services)),
              std::nullopt); // enabled already: no attempt, no line
    EXPECT_TRUE(setLoginItemEnabled(services, true));
    services.statusAfterRegistering = ServiceRegistration::Status::requiresApproval;
    services.loginItem = ServiceRegistration::Status::notRegistered;
    EXPECT_FALSE(setLoginItemEnabled(services, true));
    services.loginItemFailure = QStringLiteral("no autostart folder");
    EXPECT_FALSE(setLoginItemEnabled(services, false));
    EXPECT_EQ(services.calls.count(QStringLiteral("registerAgent")), 1);
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")),
              (QStringList{"background agent registered (status: enabled)",
                           "login item registered (status: enabled)",
                           "login item registered (status: requiresApproval)",
                           "login item unregister failed: no autostart folder (status: requiresApproval)"}));
}

TEST(Registration, registrationsNamingAnotherProgramAreRewrittenAndTheRepairLogged) {
    FakeSystemdManager manager;
    ASSERT_TRUE(publish(manager));
    QTemporaryDir configuration;
    const QString keldoranctl = QStringLiteral(KELDORAN_EXECUTABLE "ctl");
    XdgServiceRegistration wrong(configuration.path(), keldoranctl);
    ASSERT_EQ(wrong.registerLoginItem(), std::nullopt);
    ASSERT_EQ(await(wrong.registerAgent()), std::nullopt);
    XdgServiceRegistration registration(configuration.path(), QStringLiteral(KELDORAN_EXECUTABLE));
    ASSERT_TRUE(registration.loginItemDifference().has_value());
    ASSERT_TRUE(registration.agentDifference().has_value());

    LogCapture log;
    await(repairRegistrations(&registration));
    const auto service = QString::fromUtf8(
        readFile(registration.unitFolder() + QStringLiteral("/app.keldoran.Keldoran.agent.service")));
    EXPECT_TRUE(service.contains(QStringLiteral("ExecStart=\"" KELDORAN_EXECUTABLE "\"\n")))
        << service.toStdString();
    const auto entry = QString::fromUtf8(readFile(registration.autostartPath()));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=\"" KELDORAN_EXECUTABLE "\"\n"))) << entry.toStdString();
    EXPECT_EQ(registration.loginItemDifference(), std::nullopt);
    EXPECT_EQ(registration.agentDifference(), std::nullopt);
    const auto lines = log.messages(QStringLiteral("lifecycle"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("login item repaired (")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("background agent registration repaired (")));

    // Matching files, or a login item the user turned off, are left alone.
    await(repairRegistrations(&registration));
    writeFile(registration.autostartPath(), readFile(registration.autostartPath()) + "Hidden=true\n");
    await(repairRegistrations(&registration));
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")).size(), 2);
    EXPECT_TRUE(readFile(registration.autostartPath()).endsWith("Hidden=true\n"));
}

} // namespace keldoran

#include "registration_test.moc"
