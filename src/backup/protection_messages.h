#pragma once

#include "platform/run_lock.h"

#include <QCoreApplication>
#include <QString>

namespace keldoran {

/// The sentences that tell why a backup did not start.
namespace ProtectionMessages {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ProtectionMessages)
};

/// Another front end holds the run lock.
inline QString backupRunningElsewhere(RunLock::Holder holder) {
    switch (holder) {
    case RunLock::Holder::agent:
        return Text::tr("A backup started by the background agent is running.");
    case RunLock::Holder::ctl:
        return Text::tr("A backup started by keldoranctl is running.");
    case RunLock::Holder::app:
        break;
    }
    return Text::tr("A backup started by Keldoran is running.");
}

} // namespace ProtectionMessages

} // namespace keldoran
