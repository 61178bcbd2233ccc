#pragma once

#include "storage_provider_id.h"

#include <QString>

namespace keldoran {

/// One region of a provider: its code (also restic's S3 region), the city shown, and its S3 endpoint.
struct StorageRegion {
    StorageProviderId provider = StorageProviderId::scaleway;
    QString code;
    QString displayName;
    /// host[:port]
    QString endpointHost;
    /// https, or http for a server on this machine.
    QString endpointScheme = QStringLiteral("https");
    /// The server knows buckets only in the path ("https://host/bucket"), never as a host name.
    bool pathStyle = false;
    bool operator==(const StorageRegion&) const = default;

    QString endpointUrl() const { return endpointScheme + QStringLiteral("://") + endpointHost; }
    /// The name in the user's language; a custom storage's is its address, as typed.
    QString shownName() const;
};

} // namespace keldoran
