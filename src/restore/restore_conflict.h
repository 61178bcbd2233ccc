#pragma once

namespace keldoran {

/// What a restore does with a file that already exists at the destination.
enum class RestoreConflict {
    /// Existing files are never touched; a colliding restored file gets a " (restored)" name.
    keepBoth,
    /// Existing files are overwritten.
    replace,
};

} // namespace keldoran
