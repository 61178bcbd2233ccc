#pragma once

#include <QString>

namespace keldoran {

/// Writes a crash payload when the process dies of SIGSEGV, SIGABRT, SIGBUS, SIGILL or SIGFPE: a JSON
/// file in `pendingFolder` with the signal, the time, the version and a backtrace, using only
/// async-signal-safe calls; then the signal is raised again, so the process ends as it would have. The
/// next launch hands the pending payloads to the diagnostics subscriber.
namespace FatalSignalHandler {

/// Installs the handler for the life of the process; a second call changes nothing.
void install(const QString& pendingFolder, const QString& version);

} // namespace FatalSignalHandler

} // namespace keldoran
