#pragma once

#include <QString>

namespace keldoran {

/// The few sentences that name macOS-only things (Finder, Mac, Keychain, menu bar, Trash, System
/// Settings), in this platform's words. Every other sentence is shown as written; log lines never pass here.
namespace Wording {
QString forPlatform(const QString& canonical);
} // namespace Wording

} // namespace keldoran
