#pragma once

#include <QString>

namespace keldoran {

/// Files that hold paths, bucket names and endpoints are the user's alone.
namespace PrivateFiles {

/// Creates the folder and its missing parents; the folder itself is then mode 0700. False on failure.
bool makeFolder(const QString& path);
/// Creates the file empty when missing; it is then mode 0600. False on failure.
bool makeFile(const QString& path);

} // namespace PrivateFiles

} // namespace keldoran
