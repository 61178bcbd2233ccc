#pragma once

#include <memory>
#include <QString>

namespace keldoran {

/// Whether the machine runs on battery power.
class PowerSource {
public:
    virtual ~PowerSource() = default;
    virtual bool isOnBattery() = 0;

    /// UPower's OnBattery on the system bus; without UPower, a discharging battery in `supplyFolder`
    /// (the kernel's /sys/class/power_supply). A machine with neither is not on battery.
    static std::unique_ptr<PowerSource>
    live(const QString& supplyFolder = QStringLiteral("/sys/class/power_supply"));
};

} // namespace keldoran
