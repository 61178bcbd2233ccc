#include "storage/validation.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

QString recorded(const char* name) {
    return QString::fromUtf8(
        readFile(QStringLiteral(KELDORAN_FIXTURES "/restic-0.18/") + QLatin1String(name)));
}

const auto& scaleway = StorageProvider::scaleway();
const StorageRegion paris = *StorageProvider::scaleway().region(QStringLiteral("fr-par"));

const QString differentPassword =
    QStringLiteral("This bucket already holds a backup protected by a different password. Enter the password "
                   "that backup was created with.");
const QString unreachable =
    QStringLiteral("Couldn't reach Scaleway. Check your internet connection and try again.");
const QString rejected =
    QStringLiteral("Those keys were rejected. Double-check the access key and secret key, then try again.");
const QString otherRegion = QStringLiteral(
    "That bucket is in a different region than expected. Check the bucket name, then try again.");
const QString noBucket = QStringLiteral("Couldn't find that bucket. Check the bucket name, then try again.");
const QString fallback =
    QStringLiteral("Couldn't reach the bucket. Check your keys and bucket name, then try again.");

} // namespace

TEST(SetupMessages, mapsRecordedResticErrorsToOneSentence) {
    const std::pair<QString, QString> cases[] = {
        {recorded("catconfig-wrongpw.stderr.txt"), differentPassword},
        {recorded("catconfig-emptypw.stderr.txt"), differentPassword},
        {recorded("s3-catconfig-refused.stderr.txt"), unreachable},
        {recorded("s3-catconfig-nxdomain.stderr.txt"), unreachable},
        {SetupMessages::probeTimedOut(30), unreachable},
        {recorded("s3-catconfig-wrongkey.stderr.txt"), rejected},
        {QStringLiteral("InvalidAccessKeyId: The AWS Access Key Id you provided does not exist"), rejected},
        {QStringLiteral("301 PermanentRedirect"), otherRegion},
        {QStringLiteral("NoSuchBucket: The specified bucket does not exist"), noBucket},
        {QStringLiteral("dial tcp: no such host (bucket backups)"), unreachable},
        {QStringLiteral("Couldn't reach the bucket."), noBucket},
        {QStringLiteral("Fatal: something else entirely"), fallback},
        {QString(), fallback},
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(SetupMessages::userMessage(text), message) << text.toStdString();
    }
    EXPECT_EQ(SetupMessages::userMessage(SetupMessages::bucketNotFound(QStringLiteral("backups"))),
              otherRegion);
}

TEST(SetupMessages, readsTheRegionAProviderRedirectsTo) {
    EXPECT_EQ(SetupMessages::detectRegion(
                  QStringLiteral("PermanentRedirect: The bucket you are attempting to access must be "
                                 "addressed using the specified endpoint, expecting 'nl-ams'"),
                  scaleway, paris),
              scaleway.region(QStringLiteral("nl-ams")));
    EXPECT_EQ(SetupMessages::detectRegion(
                  QStringLiteral("AuthorizationHeaderMalformed: the region 'fr-par' is wrong; "
                                 "expecting \"pl-waw\""),
                  scaleway, paris),
              scaleway.region(QStringLiteral("pl-waw")));
    EXPECT_EQ(SetupMessages::detectRegion(QStringLiteral("301 Moved\nX-Amz-Bucket-Region: pl-waw\n"),
                                          scaleway, paris),
              scaleway.region(QStringLiteral("pl-waw")));
    EXPECT_EQ(SetupMessages::detectRegion(QStringLiteral("<Error><Region>nl-ams</Region></Error>"), scaleway,
                                          paris),
              scaleway.region(QStringLiteral("nl-ams")));
    // A code that is not Scaleway's: the first other Scaleway region named anywhere in the text, if any.
    EXPECT_EQ(SetupMessages::detectRegion(
                  QStringLiteral("x-amz-bucket-region: eu-west-1 (was fr-par, try nl-ams)"), scaleway, paris),
              scaleway.region(QStringLiteral("nl-ams")));
    EXPECT_EQ(SetupMessages::detectRegion(QStringLiteral("x-amz-bucket-region: eu-west-1"), scaleway, paris),
              std::nullopt);
    // Even the region probed is returned when the prefix names it.
    EXPECT_EQ(SetupMessages::detectRegion(QStringLiteral("expecting 'fr-par'"), scaleway, paris), paris);
    EXPECT_EQ(SetupMessages::detectRegion(recorded("s3-catconfig-nobucket.stderr.txt"), scaleway, paris),
              std::nullopt);
}

TEST(SetupMessages, classifiesProbeFailures) {
    EXPECT_EQ(SetupMessages::classifyProbeFailure(recorded("s3-catconfig-nobucket.stderr.txt")),
              Validation::reachableNeedsInit());
    EXPECT_EQ(SetupMessages::classifyProbeFailure(recorded("s3-catconfig-bucket-norepo-json.stderr.txt")),
              Validation::reachableNeedsInit());
    EXPECT_EQ(SetupMessages::classifyProbeFailure(recorded("catconfig-norepo.stderr.txt")),
              Validation::reachableNeedsInit());
    const auto wrongKey = recorded("s3-catconfig-wrongkey.stderr.txt");
    EXPECT_EQ(SetupMessages::classifyProbeFailure(wrongKey), Validation::failed(wrongKey));
    EXPECT_EQ(SetupMessages::classifyProbeFailure(QStringLiteral("NoSuchBucket")),
              Validation::failed(QStringLiteral("NoSuchBucket")));
    EXPECT_EQ(SetupMessages::classifyProbeFailure(QString()),
              Validation::failed(QStringLiteral("Couldn't reach the bucket.")));
    // An unknown host is a network failure, not a bucket without a repository ("no such" host).
    const auto nxdomain = recorded("s3-catconfig-nxdomain.stderr.txt");
    EXPECT_EQ(SetupMessages::classifyProbeFailure(nxdomain), Validation::failed(nxdomain));
}

// Codes are matched whatever their case and only as whole words; a location is never read as an error.
TEST(SetupMessages, regionsAreWholeCaseInsensitiveCodesOutsideTheLocation) {
    EXPECT_EQ(SetupMessages::detectRegion(QStringLiteral("301 Moved\nX-Amz-Bucket-Region: NL-AMS\n"),
                                          scaleway, paris),
              scaleway.region(QStringLiteral("nl-ams")));
    const auto& ovh = StorageProvider::ovhcloud();
    const auto gravelines = ovh.defaultRegion;
    EXPECT_EQ(SetupMessages::detectRegion(
                  QStringLiteral("PermanentRedirect: bad header, the region is wrong"), ovh, gravelines),
              std::nullopt);
    EXPECT_EQ(
        SetupMessages::detectRegion(QStringLiteral("PermanentRedirect: the region is DE"), ovh, gravelines),
        ovh.region(QStringLiteral("de")));
    EXPECT_EQ(
        SetupMessages::detectRegion(
            QStringLiteral("PermanentRedirect at s3:https://s3.fr-par.scw.cloud/nl-ams\n"), scaleway, paris),
        std::nullopt);

    const auto location = QStringLiteral("Is there a repository at the following location?\n"
                                         "s3:https://s3.fr-par.scw.cloud/forbidden-403-access-denied");
    EXPECT_EQ(SetupMessages::withoutLocations(location),
              QStringLiteral("Is there a repository at the following location?\n<location>"));
    EXPECT_EQ(SetupMessages::userMessage(QStringLiteral("Fatal: unable to open config file: ") + location),
              fallback);
    EXPECT_EQ(
        SetupMessages::classifyProbeFailure(QStringLiteral("Fatal: unable to open config file: ") + location),
        Validation::reachableNeedsInit());
    EXPECT_EQ(SetupMessages::userMessage(QStringLiteral("restic stopped unexpectedly (signal 9).")),
              QStringLiteral("restic stopped unexpectedly (signal 9)."));
}

// A retry delay is no status code: a slow server must not read as rejected keys.
TEST(SetupMessages, statusCodesCountOnlyAsWholeCodes) {
    const auto slow =
        QStringLiteral("Stat(<config/>) returned error, retrying after 403.512ms: Stat: 503 Slow Down\n"
                       "Fatal: unable to open config file: Stat: 503 Slow Down");
    EXPECT_NE(SetupMessages::userMessage(slow), rejected);
    EXPECT_EQ(SetupMessages::userMessage(QStringLiteral("Stat: 403 Forbidden")), rejected);
    EXPECT_EQ(SetupMessages::userMessage(QStringLiteral("status code: 301")), otherRegion);
}

} // namespace keldoran
