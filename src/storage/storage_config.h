#pragma once

#include "platform/settings_store.h"
#include "restic/restic_repository.h"
#include "storage_provider.h"

#include <optional>

namespace keldoran {

/// Where the repository lives: a region of a catalogue provider and a bucket. Persisted as the JSON
/// {"provider":"scaleway","region":"fr-par","bucket":"backups"} under "storageConfig"; another
/// S3-compatible storage adds its address, {"provider":"custom",…,"endpoint":"https://host:port"}, and
/// "pathStyle":true when it knows buckets only in the path.
struct StorageConfig {
    StorageRegion region;
    QString bucket;
    bool operator==(const StorageConfig&) const = default;

    StorageProvider provider() const;

    QByteArray encoded() const;
    /// None when the JSON, a key, the provider or the provider's region does not hold; `error` tells which.
    static std::optional<StorageConfig> decoded(const QByteArray& json, QString* error = nullptr);

    static std::optional<StorageConfig> load(const SettingsStore& settings);
    void save(SettingsStore& settings) const;

    /// "https://host[:port]": the region's endpoint, or `endpointOverride` (host[:port]) in its place.
    QString endpointUrl(const std::optional<QString>& endpointOverride) const;
    /// The S3 repository with the three secrets; `endpointOverride` (host[:port]) replaces the region's
    /// endpoint, for the tests' S3 server.
    ResticRepository repository(const QString& accessKey, const QString& secretKey, const QString& password,
                                const std::optional<QString>& endpointOverride = std::nullopt) const;
};

} // namespace keldoran
