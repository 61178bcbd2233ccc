#pragma once

#include <optional>
#include <QString>

namespace keldoran {

/// The restic executable. It is looked for only beside the application's own executable, never on PATH.
struct ResticBinary {
    QString path;

    /// The file named "restic" in `directory`; none when there is no such file.
    static std::optional<ResticBinary> locate(const QString& directory);
};

} // namespace keldoran
