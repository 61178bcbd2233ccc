#include "restic_binary.h"

#include <QDir>
#include <QFileInfo>

namespace keldoran {

std::optional<ResticBinary> ResticBinary::locate(const QString& directory) {
    const QFileInfo file(QDir(directory).filePath(QStringLiteral("restic")));
    if (!file.exists() || file.isDir()) {
        return std::nullopt;
    }
    return ResticBinary{file.filePath()};
}

} // namespace keldoran
