#pragma once

#include <QString>

namespace keldoran {

/// How names are compared when searching: case folded, accents dropped ("Café" matches "cafe").
namespace NameFolding {

QString fold(const QString& name);
/// Whether `name` contains `text`, compared folded.
bool contains(const QString& name, const QString& text);

} // namespace NameFolding

} // namespace keldoran
