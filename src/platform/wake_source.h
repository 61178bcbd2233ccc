#pragma once

#include <memory>
#include <QObject>

namespace keldoran {

/// Tells when the machine has woken from sleep.
class WakeSource : public QObject {
    Q_OBJECT
public:
    /// logind's PrepareForSleep(false) on the system bus; never fires without logind.
    static std::unique_ptr<WakeSource> live();

signals:
    void woke();
};

} // namespace keldoran
