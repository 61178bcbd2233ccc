#include "power_source.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>

namespace keldoran {

namespace {

QByteArray readTrimmed(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

class LivePowerSource : public PowerSource {
public:
    explicit LivePowerSource(QString supplyFolder)
        : supplyFolder_(std::move(supplyFolder)) {}

    bool isOnBattery() override {
        if (const auto upower = upowerOnBattery()) {
            return *upower;
        }
        return sysfsOnBattery(supplyFolder_);
    }

private:
    // A short blocking call without an event loop: asked once per scheduled tick at most.
    static std::optional<bool> upowerOnBattery() {
        auto bus = QDBusConnection::systemBus();
        if (!bus.isConnected() ||
            !bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.UPower"))) {
            return std::nullopt;
        }
        auto message = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.UPower"), QStringLiteral("/org/freedesktop/UPower"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        message << QStringLiteral("org.freedesktop.UPower") << QStringLiteral("OnBattery");
        const auto reply = bus.call(message, QDBus::Block, 500);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return std::nullopt;
        }
        return reply.arguments().first().value<QDBusVariant>().variant().toBool();
    }

    static bool sysfsOnBattery(const QString& folder) {
        for (const auto& supply : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const auto base = folder + QLatin1Char('/') + supply;
            if (readTrimmed(base + QStringLiteral("/type")) == "Battery" &&
                readTrimmed(base + QStringLiteral("/status")) == "Discharging") {
                return true;
            }
        }
        return false;
    }

    QString supplyFolder_;
};

} // namespace

std::unique_ptr<PowerSource> PowerSource::live(const QString& supplyFolder) {
    return std::make_unique<LivePowerSource>(supplyFolder);
}

} // namespace keldoran
