#pragma once

#include "model/preferences.h"

#include <QStringList>

namespace keldoran {

/// The 22 built-in exclusions, in the order missing ones are appended.
const QStringList& defaultExcludePaths();

/// Appends each default the user has neither in the list nor already been given (so a default the user
/// deleted stays deleted, and one added by a later version arrives once), then records every default as
/// given: seenDefaultExcludePaths becomes the previous ones with all defaults, sorted.
Preferences reconcileDefaultExcludes(Preferences preferences);

} // namespace keldoran
