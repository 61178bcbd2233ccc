#include "private_files.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace PrivateFiles {

bool makeFolder(const QString& path) {
    return QDir().mkpath(path) && ::chmod(QFile::encodeName(path).constData(), 0700) == 0;
}

bool makeFile(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return false;
    }
    const bool made = ::fchmod(descriptor, 0600) == 0;
    ::close(descriptor);
    return made;
}

} // namespace PrivateFiles

} // namespace keldoran
