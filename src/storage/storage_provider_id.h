#pragma once

#include <optional>
#include <QString>

namespace keldoran {

/// A provider of the catalogue, or any other S3-compatible storage ("custom"); persisted by its raw text.
enum class StorageProviderId { ionos, ovhcloud, scaleway, custom };

QString rawValue(StorageProviderId id);
/// None for a text that names no provider.
std::optional<StorageProviderId> storageProviderIdFromRaw(const QString& raw);

} // namespace keldoran
