#pragma once

#include "platform/network_source.h"

#include <memory>
#include <QObject>

namespace keldoran {

class AppModel;

/// Keeps the model's isOnline in step with the network path and, whenever the path is usable, lets the
/// model start a backup that was deferred while offline.
class NetworkMonitor : public QObject {
    Q_OBJECT
public:
    explicit NetworkMonitor(AppModel& model);
    ~NetworkMonitor() override;
    /// Begins monitoring; later calls do nothing.
    void start();

private:
    AppModel& model_;
    std::unique_ptr<NetworkPathMonitor> monitor_;
    bool started_ = false;
};

} // namespace keldoran
