#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace keldoran {

/// The user's own folders, after the XDG base-directory rules.
struct UserFolders {
    QString home;
    /// Long-lived state; the logs live in its Logs/Keldoran folder ($XDG_STATE_HOME, ~/.local/state).
    QString library;
    /// $XDG_CACHE_HOME, ~/.cache.
    QString caches;
    /// $XDG_CONFIG_HOME, ~/.config.
    QString configuration;
    /// $XDG_RUNTIME_DIR; empty when the session has none.
    QString runtime;

    QString logs() const { return library + QStringLiteral("/Logs/Keldoran"); }

    static UserFolders fromEnvironment(const QProcessEnvironment& environment);
    static UserFolders live();
};

} // namespace keldoran
