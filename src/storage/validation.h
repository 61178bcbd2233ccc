#pragma once

#include "storage_provider.h"

#include <exception>
#include <optional>
#include <QString>
#include <string>

namespace keldoran {

/// The outcome of one probe of a bucket in one region.
struct Validation {
    enum class Kind {
        /// The bucket answered that it lives in `region`.
        wrongRegion,
        /// The probe failed; `message` is restic's error text or a fixed message.
        failed,
        /// The bucket is reachable and already holds a repository.
        reachableExistingRepo,
        /// The bucket is reachable and holds no repository yet.
        reachableNeedsInit,
        /// There is no bucket of that name: restic's init would create it.
        bucketMissing,
    };

    Kind kind = Kind::failed;
    StorageRegion region;
    QString message;
    bool operator==(const Validation&) const = default;

    static Validation wrongRegion(StorageRegion region) { return {Kind::wrongRegion, std::move(region), {}}; }
    static Validation failed(QString message) { return {Kind::failed, {}, std::move(message)}; }
    static Validation reachableExistingRepo() { return {Kind::reachableExistingRepo, {}, {}}; }
    static Validation reachableNeedsInit() { return {Kind::reachableNeedsInit, {}, {}}; }
    static Validation bucketMissing() { return {Kind::bucketMissing, {}, {}}; }
};

/// Setup could not finish; the message is shown as it is.
class SetupError : public std::exception {
public:
    explicit SetupError(QString message)
        : message_(std::move(message))
        , what_(message_.toStdString()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    QString message_;
    std::string what_;
};

/// Turns restic's error text (or a fixed text) into the one sentence setup shows. Every sentence a user
/// can see while connecting storage is here.
namespace SetupMessages {

/// `provider` names who could not be reached: the designed sentence names Scaleway for the catalogue.
QString userMessage(const QString& errorText, StorageProviderId provider = StorageProviderId::scaleway);
/// restic's error text with every repository location and address replaced by "<location>": a bucket's
/// name must never read as an error.
QString withoutLocations(const QString& errorText);
/// The region a provider's redirect names, read from restic's error text.
std::optional<StorageRegion> detectRegion(const QString& errorText, const StorageProvider& provider,
                                          const StorageRegion& currentRegion);
Validation classifyProbeFailure(const QString& errorText);
/// Whether lowered error text tells of a network that could not be crossed.
bool isNetworkFailure(const QString& lowered);

/// Why a bucket name can never work, said before any server is contacted.
QString invalidBucketName();
/// The storage settings are there but cannot be read.
QString unreadableConfiguration();

/// "Couldn't find bucket "NAME" in any EU region."
QString bucketNotFound(const QString& bucket);
/// "There's no bucket named NAME in CITY. …"
QString bucketMissing(const QString& bucket, const QString& city);
QString regionUndetermined();
/// "Change keys…" before a backup was set up.
QString noBackupToChangeKeysOf();
/// New keys that reach the storage, but not the backup there.
QString keysMissTheBackup();
QString resticMissing();
/// The failure text of a probe that restic did not finish in time: reads as a network failure.
QString probeTimedOut(int seconds);

/// Why the address typed for another S3-compatible storage cannot be used.
QString endpointMissing();
QString endpointInvalid();
QString endpointWithPath();
QString endpointNotHttps();
QString customRegionInvalid();

} // namespace SetupMessages

} // namespace keldoran
