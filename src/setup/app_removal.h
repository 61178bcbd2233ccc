#pragma once

#include "platform/platform.h"

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QList>
#include <QString>

namespace keldoran {

/// Removes everything Keldoran keeps on this computer — the login item and agent registrations, the
/// secrets, the settings, the logs and caches, and on request restic's cache — never the repository in
/// the user's bucket. Every step is attempted; each reports removed or failed.
class AppRemoval {
public:
    enum class Step {
        loginItem,
        backgroundAgent,
        keychain,
        preferences,
        logs,
        httpStorages,
        appCaches,
        resticCache
    };

    struct Locations {
        QString logs;
        QString httpStorages;
        QString appCaches;
        QString resticCache;
    };

    struct Outcome {
        QList<Step> removed;
        QList<Step> failed;
    };

    /// The live removal for `platform`'s folders, secrets, settings and registrations.
    static AppRemoval live(Platform& platform);
    static Locations locationsFor(const UserFolders& folders, const QString& bundleIdentifier);
    static QString rawValue(Step step);
    /// The allocated size of a folder tree; none when it cannot be read or holds nothing.
    static std::optional<qint64> directorySize(const QString& path);

    QCoro::Task<Outcome> run(bool includeResticCache) const;

    SecretStore* secrets = nullptr;
    QString keychainService;
    SettingsStore* settings = nullptr;
    Locations locations;
    std::function<void()> unregisterLoginItem;
    std::function<QCoro::Task<void>()> unregisterBackgroundAgent;
};

} // namespace keldoran
