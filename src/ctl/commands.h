#pragma once

#include "platform/platform.h"

#include <qcoro/qcorotask.h>
#include <QStringList>

namespace keldoran {

/// keldoranctl's commands over the same core as the tray application. Each answers the exit status:
/// 0 success, 1 failure (its sentence on standard error), 2 bad usage (a usage text).
namespace Commands {

/// Runs the command named by the first argument.
QCoro::Task<int> run(Platform* platform, QStringList arguments);

} // namespace Commands

} // namespace keldoran
