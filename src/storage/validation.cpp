#include "validation.h"

#include <cstring>

namespace SetupMessages {
namespace {

bool containsAny(const QString& lowered, std::initializer_list<const char*> fragments) {
    for (const char* fragment : fragments) {
        if (lowered.contains(QLatin1String(fragment))) {
            return true;
        }
    }
    return false;
}

} // namespace

QString userMessage(const QString& errorText) {
    const auto text = errorText.toLower();
    if (containsAny(text, {"wrong password", "empty password"})) {
        return QStringLiteral("This bucket already holds a backup protected by a different password. Enter the password "
                              "that backup was created with.");
    }
    if (containsAny(text, {"no such host", "dial tcp", "connection refused", "network is unreachable", "no route to host",
                           "i/o timeout", "timeout", "could not connect", "temporary failure in name resolution",
                           "tls handshake"})) {
        // Names Scaleway whatever the provider.
        return QStringLiteral("Couldn't reach Scaleway. Check your internet connection and try again.");
    }
    if (containsAny(text, {"403", "forbidden", "access denied", "accessdenied", "invalidaccesskeyid",
                           "signaturedoesnotmatch", "invalid access key", "credentials", "not authorized"})) {
        return QStringLiteral("Those keys were rejected. Double-check the access key and secret key, then try again.");
    }
    if (containsAny(text, {"permanentredirect", "authorizationheadermalformed", "301", "wrong region", "bucketregion",
                           "region", "bucketalreadyownedbyyou", "already exists, and you own it"})) {
        return QStringLiteral("That bucket is in a different region than expected. Check the bucket name, then try again.");
    }
    if (containsAny(text, {"nosuchbucket", "bucket", "404", "not found"})) {
        return QStringLiteral("Couldn't find that bucket. Check the bucket name, then try again.");
    }
    return QStringLiteral("Couldn't reach the bucket. Check your keys and bucket name, then try again.");
}

std::optional<StorageRegion> detectRegion(const QString& errorText, const StorageProvider& provider,
                                          const StorageRegion& currentRegion) {
    const auto text = errorText.toLower();
    if (!containsAny(text, {"permanentredirect", "authorizationheadermalformed", "x-amz-bucket-region", "bucketregionerror",
                            "the region", "expecting", "<region>"})) {
        return std::nullopt;
    }
    for (const char* prefix : {"expecting '", "expecting \"", "<region>", "x-amz-bucket-region:"}) {
        const auto found = errorText.indexOf(QLatin1String(prefix), 0, Qt::CaseInsensitive);
        if (found < 0) {
            continue;
        }
        auto position = found + qsizetype(std::strlen(prefix));
        while (position < errorText.size() && (errorText[position] == QLatin1Char(' ') || errorText[position] == QLatin1Char('\t'))) {
            ++position;
        }
        auto end = position;
        while (end < errorText.size() && (errorText[end].isLetterOrNumber() || errorText[end] == QLatin1Char('-'))) {
            ++end;
        }
        if (end > position) {
            if (auto region = provider.region(errorText.mid(position, end - position))) {
                return region;
            }
        }
    }
    for (const auto& region : provider.allRegions()) {
        if (region != currentRegion && text.contains(region.code)) {
            return region;
        }
    }
    return std::nullopt;
}

// The rejected-keys fragments of userMessage; restic 0.18 wraps a 403 in "unable to open config file".
bool isRejection(const QString& lowered) {
    return containsAny(lowered, {"403", "forbidden", "access denied", "accessdenied", "invalidaccesskeyid",
                                 "signaturedoesnotmatch", "invalid access key", "not authorized"});
}

bool isNetworkFailure(const QString& lowered) {
    return containsAny(lowered, {"no such host", "dial tcp", "connection refused", "network is unreachable",
                                 "no route to host", "i/o timeout", "temporary failure in name resolution",
                                 "tls handshake"});
}

Validation classifyProbeFailure(const QString& errorText) {
    const auto text = errorText.toLower();
    // restic words an unknown host "no such host" and rejected keys "unable to open config file: ... Access
    // Denied": read as a bucket without a repository, both would look connected.
    if (containsAny(text, {"nosuchbucket", "bucket does not exist"}) || isNetworkFailure(text) || isRejection(text)) {
        return Validation::failed(errorText);
    }
    if (containsAny(text, {"unable to open config", "does not exist", "no such"})) {
        return Validation::reachableNeedsInit();
    }
    if (text.isEmpty()) {
        return Validation::failed(QStringLiteral("Couldn't reach the bucket."));
    }
    return Validation::failed(errorText);
}

QString bucketNotFound(const QString& bucket) {
    return QStringLiteral("Couldn't find bucket \"%1\" in any EU region.").arg(bucket);
}

QString regionUndetermined() {
    return QStringLiteral("Couldn't determine your bucket's region. Check the bucket name, then try again.");
}

QString resticMissing() {
    return QStringLiteral("Bundled restic binary is missing.");
}

QString probeTimedOut(int seconds) {
    return QStringLiteral("restic did not answer within %1 seconds: i/o timeout").arg(seconds);
}

} // namespace SetupMessages
