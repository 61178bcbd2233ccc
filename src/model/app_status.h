#pragma once

#include <optional>
#include <QMetaType>
#include <QString>

namespace keldoran {

/// How far a running backup has come.
struct BackupProgress {
    double fraction = 0;
    std::optional<qint64> filesDone;
    std::optional<qint64> totalFiles;
    std::optional<qint64> bytesDone;
    std::optional<qint64> totalBytes;
    /// restic's estimate, once it knows the total.
    std::optional<qint64> secondsRemaining;
    bool operator==(const BackupProgress&) const = default;
};

/// The protection status the application shows. `paused` and `offline` are only ever shown, never
/// stored as the model's base status.
struct AppStatus {
    enum class Kind {
        protectedWithWarnings,
        backingUp,
        error,
        needsSetup,
        credentialsUnavailable,
        fullDiskAccessRequired,
        protected_, // "protected"
        paused,
        offline,
    };

    Kind kind = Kind::needsSetup;
    qint64 warningCount = 0;
    BackupProgress progress;
    QString message;
    bool operator==(const AppStatus&) const = default;

    static AppStatus protectedWithWarnings(qint64 count) {
        return {Kind::protectedWithWarnings, count, {}, {}};
    }
    static AppStatus backingUp(BackupProgress progress) { return {Kind::backingUp, 0, progress, {}}; }
    static AppStatus error(QString message) { return {Kind::error, 0, {}, std::move(message)}; }
    static AppStatus needsSetup() { return {Kind::needsSetup, 0, {}, {}}; }
    static AppStatus credentialsUnavailable() { return {Kind::credentialsUnavailable, 0, {}, {}}; }
    static AppStatus fullDiskAccessRequired() { return {Kind::fullDiskAccessRequired, 0, {}, {}}; }
    static AppStatus protected_() { return {Kind::protected_, 0, {}, {}}; }
    static AppStatus paused() { return {Kind::paused, 0, {}, {}}; }
    static AppStatus offline() { return {Kind::offline, 0, {}, {}}; }

    /// The case's name: "protectedWithWarnings", "backingUp", ..., "protected", "paused", "offline".
    QString caseName() const;
};

} // namespace keldoran

Q_DECLARE_METATYPE(keldoran::AppStatus)
