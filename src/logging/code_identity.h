#pragma once

#include <QString>

namespace keldoran {

/// Which build this is: "unsigned build, executable sha256 <first 16 hex digits>". Computed once per
/// process.
QString codeIdentity();

} // namespace keldoran
