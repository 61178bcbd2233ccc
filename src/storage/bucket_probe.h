#pragma once

#include "storage_config.h"

#include <optional>
#include <qcoro/qcorotask.h>
#include <QProcessEnvironment>

namespace keldoran {

/// Whether a bucket exists, asked of the S3 endpoint directly (a signed HEAD request): restic reports a
/// missing bucket exactly like an empty one, and its init would create a mistyped one.
namespace BucketProbe {

enum class Presence { present, missing, unknown };

/// `environment` is restic's: its SSL_CERT_FILE, when set, is trusted as restic trusts it.
QCoro::Task<Presence> check(StorageConfig config, QString accessKey, QString secretKey,
                            std::optional<QString> endpointOverride, QProcessEnvironment environment);

/// The AWS signature version 4 Authorization header of a request without a body.
QByteArray authorization(const QByteArray& method, const QByteArray& path, const QByteArray& host,
                         const QByteArray& amzDate, const QString& region, const QString& accessKey,
                         const QString& secretKey);

} // namespace BucketProbe

} // namespace keldoran
