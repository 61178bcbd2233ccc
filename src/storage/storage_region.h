#pragma once

#include "storage_provider_id.h"

#include <QString>

/// One region of a provider: its code (also restic's S3 region), the city shown, and its S3 endpoint.
struct StorageRegion {
    StorageProviderId provider = StorageProviderId::scaleway;
    QString code;
    QString displayName;
    QString endpointHost;
    bool operator==(const StorageRegion&) const = default;
};
