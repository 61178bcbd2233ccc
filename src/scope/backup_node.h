#pragma once

#include <QString>

namespace keldoran {

/// One file or folder of the home folder as the scope browser lists it.
struct BackupNode {
    /// The absolute path.
    QString id;
    QString name;
    bool isDirectory = false;
    qint64 sizeBytes = 0;
    bool isHidden = false;
    bool operator==(const BackupNode&) const = default;
};

} // namespace keldoran
