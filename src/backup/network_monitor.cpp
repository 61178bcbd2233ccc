#include "network_monitor.h"

#include "model/app_model.h"

namespace keldoran {

NetworkMonitor::NetworkMonitor(AppModel& model)
    : model_(model)
    , monitor_(model.platform().network->createMonitor()) {}

NetworkMonitor::~NetworkMonitor() = default;

void NetworkMonitor::start() {
    if (started_) {
        return;
    }
    started_ = true;
    connect(monitor_.get(), &NetworkPathMonitor::pathChanged, this, [this](bool satisfied) {
        model_.setIsOnline(satisfied);
        if (satisfied) {
            model_.runPendingBackupIfPossible();
        }
    });
    monitor_->start();
}

} // namespace keldoran
