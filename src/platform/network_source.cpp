#include "network_source.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QNetworkInformation>
#include <QSocketNotifier>
#include <QTimer>
#include <sys/socket.h>
#include <unistd.h>

namespace keldoran {

namespace {

class NetworkManagerMonitor : public NetworkPathMonitor {
public:
    void start() override {
        auto* information = QNetworkInformation::instance();
        connect(information, &QNetworkInformation::reachabilityChanged, this,
                [this](QNetworkInformation::Reachability reachability) {
                    emit pathChanged(isUsable(reachability));
                });
        QTimer::singleShot(0, this,
                           [this, information] { emit pathChanged(isUsable(information->reachability())); });
    }

private:
    static bool isUsable(QNetworkInformation::Reachability reachability) {
        return reachability != QNetworkInformation::Reachability::Disconnected;
    }
};

// A default route on any interface but loopback, IPv4 or IPv6.
bool hasDefaultRoute() {
    QFile ipv4(QStringLiteral("/proc/net/route"));
    if (ipv4.open(QIODevice::ReadOnly)) {
        ipv4.readLine(); // header
        while (!ipv4.atEnd()) {
            const auto fields = ipv4.readLine().simplified().split(' ');
            // Iface Destination Gateway Flags ... Mask
            if (fields.size() >= 8 && fields[0] != "lo" && fields[1] == "00000000" &&
                fields[7] == "00000000" && (fields[3].toUInt(nullptr, 16) & 0x1)) {
                return true;
            }
        }
    }
    QFile ipv6(QStringLiteral("/proc/net/ipv6_route"));
    if (ipv6.open(QIODevice::ReadOnly)) {
        while (!ipv6.atEnd()) {
            const auto fields = ipv6.readLine().simplified().split(' ');
            // destination, prefix length, ..., flags (field 8), device (field 9)
            if (fields.size() >= 10 && fields[0] == QByteArray(32, '0') && fields[1] == "00" &&
                fields[9] != "lo" && (fields[8].toUInt(nullptr, 16) & 0x1)) {
                return true;
            }
        }
    }
    return false;
}

class RouteMonitor : public NetworkPathMonitor {
public:
    ~RouteMonitor() override {
        notifier_.reset();
        if (socket_ >= 0) {
            ::close(socket_);
        }
    }

    void start() override {
        debounce_.setSingleShot(true);
        debounce_.setInterval(200);
        connect(&debounce_, &QTimer::timeout, this, [this] { emit pathChanged(hasDefaultRoute()); });
        socket_ = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
        if (socket_ >= 0) {
            sockaddr_nl address{};
            address.nl_family = AF_NETLINK;
            address.nl_groups =
                RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE;
            if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                notifier_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
                connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
                    char buffer[8192];
                    while (::recv(socket_, buffer, sizeof buffer, 0) > 0) {
                    }
                    debounce_.start();
                });
            }
        }
        QTimer::singleShot(0, this, [this] { emit pathChanged(hasDefaultRoute()); });
    }

private:
    int socket_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer debounce_;
};

class LiveNetworkSource : public NetworkSource {
public:
    std::unique_ptr<NetworkPathMonitor> createMonitor() override {
        if (networkManagerRuns()) {
            return std::make_unique<NetworkManagerMonitor>();
        }
        return std::make_unique<RouteMonitor>();
    }

    bool isMetered() override { return networkManagerRuns() && QNetworkInformation::instance()->isMetered(); }

private:
    static bool networkManagerRuns() {
        static const bool runs = [] {
            const auto bus = QDBusConnection::systemBus();
            return bus.isConnected() &&
                   bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.NetworkManager")) &&
                   QNetworkInformation::loadBackendByName(QStringLiteral("networkmanager"));
        }();
        return runs;
    }
};

} // namespace

std::unique_ptr<NetworkSource> NetworkSource::live() {
    return std::make_unique<LiveNetworkSource>();
}

} // namespace keldoran
