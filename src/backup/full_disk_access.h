#pragma once

#include <QString>

namespace keldoran {

/// Whether this process may read the whole home folder. macOS guards it with Full Disk Access, probed by
/// reading protected files; Linux has no such permission, so the home folder being listable answers it.
bool probeFullDiskAccess(const QString& home);

} // namespace keldoran
