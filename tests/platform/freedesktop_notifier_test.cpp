// The live notifier against a notification server played on the private session bus (with-keyring).
#include "platform/freedesktop_notifier.h"
#include "support/event_loop.h"

#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace keldoran {

namespace {

// org.freedesktop.Notifications, on a connection of its own so the notifier talks to it over the bus.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit NotificationServer(const QString& name)
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {
        bus_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                            QDBusConnection::ExportAllSlots);
        bus_.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~NotificationServer() override {
        bus_.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(bus_.name());
    }

    struct Call {
        QString app;
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
    };
    QList<Call> calls;

    void invoke(uint id, const QString& action) {
        auto signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                 QStringLiteral("org.freedesktop.Notifications"),
                                                 QStringLiteral("ActionInvoked"));
        signal << id << action;
        bus_.send(signal);
    }

public slots:
    uint Notify(const QString& app, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap&, int) {
        calls.append({app, replaces, summary, body, actions});
        return replaces ? replaces : uint(100 + calls.size());
    }

private:
    QDBusConnection bus_;
};

} // namespace

TEST(FreedesktopNotifier, sendsReplacesAndReportsTheChosenAction) {
    NotificationServer server(QStringLiteral("notification-server"));
    FreedesktopNotifier notifier;
    QStringList invoked;
    QObject::connect(&notifier, &Notifier::actionInvoked, [&](const QString& key) { invoked.append(key); });
    notifier.show({QStringLiteral("backupFailed"), QStringLiteral("Backup failed"),
                   QStringLiteral("Repository is locked."), QStringLiteral("Try again")});
    ASSERT_TRUE(spinUntil([&] { return server.calls.size() == 1; }));
    EXPECT_EQ(server.calls[0].app, QStringLiteral("Keldoran"));
    EXPECT_EQ(server.calls[0].summary, QStringLiteral("Backup failed"));
    EXPECT_EQ(server.calls[0].body, QStringLiteral("Repository is locked."));
    EXPECT_EQ(server.calls[0].actions, (QStringList{"default", "Try again"}));
    EXPECT_EQ(server.calls[0].replaces, 0u);

    // The same reason again replaces the notification shown.
    QCoreApplication::processEvents();
    notifier.show({QStringLiteral("backupFailed"), QStringLiteral("Backup failed"),
                   QStringLiteral("Still locked."), std::nullopt});
    ASSERT_TRUE(spinUntil([&] { return server.calls.size() == 2; }));
    EXPECT_EQ(server.calls[1].replaces, 101u);
    EXPECT_TRUE(server.calls[1].actions.isEmpty());

    server.invoke(101, QStringLiteral("default"));
    server.invoke(999, QStringLiteral("default")); // not ours
    ASSERT_TRUE(spinUntil([&] { return !invoked.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(invoked, QStringList{QStringLiteral("backupFailed")});
}

TEST(FreedesktopNotifier, reportsUnavailableWithoutAServer) {
    FreedesktopNotifier notifier;
    std::optional<DesktopNotification> missed;
    QObject::connect(&notifier, &Notifier::unavailable,
                     [&](const DesktopNotification& notification) { missed = notification; });
    notifier.show({QStringLiteral("protectionOverdue"), QStringLiteral("Backups are overdue"),
                   QStringLiteral("…"), std::nullopt});
    ASSERT_TRUE(spinUntil([&] { return missed.has_value(); }));
    EXPECT_EQ(missed->key, QStringLiteral("protectionOverdue"));
}

} // namespace keldoran

#include "freedesktop_notifier_test.moc"
