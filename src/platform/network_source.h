#pragma once

#include <memory>
#include <QObject>

namespace keldoran {

/// Reports whether a usable network path exists: at once after start, then on every change.
class NetworkPathMonitor : public QObject {
    Q_OBJECT
public:
    virtual void start() = 0;

signals:
    void pathChanged(bool satisfied);
};

/// Makes path monitors.
class NetworkSource {
public:
    virtual ~NetworkSource() = default;
    virtual std::unique_ptr<NetworkPathMonitor> createMonitor() = 0;
    /// Whether the connection in use is metered (a phone's hotspot, a capped plan): NetworkManager's
    /// view, where it runs; otherwise nothing says so and the answer is no.
    virtual bool isMetered() = 0;

    /// NetworkManager's view when it runs; otherwise a watch on the kernel's routes, where a default
    /// route means a usable path. (Qt's glib backend does not update on Debian 12.)
    static std::unique_ptr<NetworkSource> live();
};

} // namespace keldoran
