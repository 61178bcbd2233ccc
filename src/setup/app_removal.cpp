#include "app_removal.h"

#include "backup/registration.h"
#include "logging/log.h"
#include "storage/keychain.h"

#include <filesystem>
#include <QDirIterator>
#include <QFileInfo>
#include <sys/stat.h>

namespace keldoran {

namespace {

const QString bundleIdentifier = QStringLiteral("app.keldoran.Keldoran");

// Deletes what is at `path`, recursively; nothing there counts as removed.
bool removeTree(const QString& path, QString* reason) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (error) {
        *reason = QString::fromStdString(error.message());
        return false;
    }
    return true;
}

} // namespace

AppRemoval AppRemoval::live(Platform& platform) {
    AppRemoval removal;
    removal.secrets = platform.secrets;
    removal.keychainService = Keychain::serviceName();
    removal.settings = platform.settings;
    removal.locations = locationsFor(platform.folders, bundleIdentifier);
    auto* services = platform.services;
    removal.unregisterLoginItem = [services] {
        setLoginItemEnabled(*services, false);
    };
    removal.unregisterBackgroundAgent = [services] {
        return keldoran::unregisterBackgroundAgent(services);
    };
    return removal;
}

AppRemoval::Locations AppRemoval::locationsFor(const UserFolders& folders, const QString& bundle) {
    return {folders.logs(), folders.library + QStringLiteral("/HTTPStorages/") + bundle,
            folders.caches + QLatin1Char('/') + bundle, folders.caches + QStringLiteral("/restic")};
}

QString AppRemoval::rawValue(Step step) {
    switch (step) {
    case Step::loginItem:
        return QStringLiteral("loginItem");
    case Step::backgroundAgent:
        return QStringLiteral("backgroundAgent");
    case Step::keychain:
        return QStringLiteral("keychain");
    case Step::preferences:
        return QStringLiteral("preferences");
    case Step::logs:
        return QStringLiteral("logs");
    case Step::httpStorages:
        return QStringLiteral("httpStorages");
    case Step::appCaches:
        return QStringLiteral("appCaches");
    case Step::resticCache:
        return QStringLiteral("resticCache");
    }
    return {};
}

std::optional<qint64> AppRemoval::directorySize(const QString& path) {
    if (!QFileInfo(path).isDir() || !QFileInfo(path).isReadable()) {
        return std::nullopt;
    }
    qint64 total = 0;
    QDirIterator entries(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        struct stat status {};
        if (::lstat(QFile::encodeName(entries.next()).constData(), &status) == 0) {
            total += qint64(status.st_blocks) * 512;
        }
    }
    if (total < 1) {
        return std::nullopt;
    }
    return total;
}

QCoro::Task<AppRemoval::Outcome> AppRemoval::run(bool includeResticCache) const {
    Outcome outcome;
    const auto record = [&outcome](Step step, bool removed) {
        (removed ? outcome.removed : outcome.failed).append(step);
    };

    unregisterLoginItem();
    record(Step::loginItem, true);
    co_await unregisterBackgroundAgent();
    record(Step::backgroundAgent, true);

    bool allDeleted = true;
    const Keychain keychain(*secrets, keychainService);
    for (const auto account : {Keychain::Account::accessKey, Keychain::Account::secretKey,
                               Keychain::Account::repositoryPassword}) {
        try {
            co_await keychain.remove(account);
        } catch (const KeychainError& error) {
            allDeleted = false;
            Log::lifecycle().error(QStringLiteral("app removal: keychain %1 not removed: %2")
                                       .arg(Keychain::accountName(account), error.description()));
        }
    }
    record(Step::keychain, allDeleted);

    settings->removeAll();
    record(Step::preferences, true);

    const std::pair<Step, QString> folders[] = {{Step::logs, locations.logs},
                                                {Step::httpStorages, locations.httpStorages},
                                                {Step::appCaches, locations.appCaches},
                                                {Step::resticCache, locations.resticCache}};
    for (const auto& [step, path] : folders) {
        if (step == Step::resticCache && !includeResticCache) {
            continue;
        }
        QString reason;
        const bool removed = removeTree(path, &reason);
        if (!removed) {
            Log::lifecycle().error(
                QStringLiteral("app removal: %1 not removed: %2").arg(QFileInfo(path).fileName(), reason));
        }
        record(step, removed);
    }

    QStringList removedNames;
    QStringList failedNames;
    for (const auto step : outcome.removed) {
        removedNames.append(rawValue(step));
    }
    for (const auto step : outcome.failed) {
        failedNames.append(rawValue(step));
    }
    Log::lifecycle().info(
        QStringLiteral("app removal: removed %1; failed %2")
            .arg(removedNames.join(QStringLiteral(", ")), failedNames.join(QStringLiteral(", "))));
    co_return outcome;
}

} // namespace keldoran
