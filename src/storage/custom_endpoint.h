#pragma once

#include "storage_region.h"

#include <variant>

namespace keldoran {

/// The address of another S3-compatible storage as the user types it: "https://s3.example.net",
/// "s3.example.net:9000" (https is assumed), or plain http to a server on this machine.
namespace CustomEndpoint {

/// The region to store in at that address, or the sentence saying why the address or region cannot be
/// used. An empty region code is "us-east-1".
std::variant<StorageRegion, QString> region(const QString& address, const QString& regionCode,
                                            bool pathStyle);
/// Letters, digits, "-", "_" and ".": what S3-compatible servers call their regions.
bool isRegionCode(const QString& code);

} // namespace CustomEndpoint

} // namespace keldoran
