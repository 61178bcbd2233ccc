#include "full_disk_access.h"

#include <dirent.h>
#include <QFile>

namespace keldoran {

bool probeFullDiskAccess(const QString& home) {
    DIR* directory = ::opendir(QFile::encodeName(home).constData());
    if (!directory) {
        return false;
    }
    errno = 0;
    const bool readable = ::readdir(directory) != nullptr || errno == 0;
    ::closedir(directory);
    return readable;
}

} // namespace keldoran
