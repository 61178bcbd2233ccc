#pragma once

#include <QCollator>

namespace keldoran {

/// The order a file browser shows names in: localized, case-insensitive, runs of digits by their value
/// ("File2" before "file10"). Under the C locale ICU ignores numeric mode, so English collation stands in.
QCollator fileNameCollator();

} // namespace keldoran
