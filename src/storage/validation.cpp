#include "validation.h"

#include "restic/restic_error.h"

#include <algorithm>
#include <cstring>
#include <QCoreApplication>

namespace keldoran {

namespace SetupMessages {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(SetupMessages)
};

// A status code such as "403" counts only on its own: "retrying after 403.2ms" holds no 403.
bool containsCode(const QString& lowered, QLatin1String code) {
    for (auto at = lowered.indexOf(code); at >= 0; at = lowered.indexOf(code, at + 1)) {
        const auto end = at + code.size();
        const bool startsWord = at == 0 || !(lowered[at - 1].isLetterOrNumber() || lowered[at - 1] == u'.');
        const bool endsWord =
            end == lowered.size() || !(lowered[end].isLetterOrNumber() || lowered[end] == u'.');
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

bool containsAny(const QString& lowered, std::initializer_list<const char*> fragments) {
    for (const char* fragment : fragments) {
        const QLatin1String text(fragment);
        const bool isCode =
            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (isCode ? containsCode(lowered, text) : lowered.contains(text)) {
            return true;
        }
    }
    return false;
}

bool isLocationBoundary(QChar c) {
    return c.isSpace() || c == u'"' || c == u'\'' || c == u'<' || c == u'>' || c == u'`';
}

// The code-like words of a text: runs of letters, digits and hyphens.
QStringList codeTokens(const QString& lowered) {
    QStringList tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= lowered.size(); ++i) {
        const bool inToken = i < lowered.size() && (lowered[i].isLetterOrNumber() || lowered[i] == u'-');
        if (inToken && start < 0) {
            start = i;
        } else if (!inToken && start >= 0) {
            tokens.append(lowered.mid(start, i - start));
            start = -1;
        }
    }
    return tokens;
}

} // namespace

QString withoutLocations(const QString& errorText) {
    QString text;
    text.reserve(errorText.size());
    qsizetype position = 0;
    while (position < errorText.size()) {
        auto end = position;
        while (end < errorText.size() && !isLocationBoundary(errorText[end])) {
            ++end;
        }
        const auto word = QStringView(errorText).sliced(position, end - position);
        text += word.contains(u"://") || word.startsWith(u"s3:") ? QStringView(u"<location>") : word;
        if (end < errorText.size()) {
            text += errorText[end];
        }
        position = end + 1;
    }
    return text;
}

QString userMessage(const QString& errorText, StorageProviderId provider) {
    // Sentences already written for the user pass through.
    if (startsWithStoppedBySignal(errorText) || errorText == invalidBucketName() ||
        errorText == resticMissing()) {
        return errorText;
    }
    const auto text = withoutLocations(errorText).toLower();
    if (containsAny(text, {"wrong password", "empty password"})) {
        return Text::tr(
            "This bucket already holds a backup protected by a different password. Enter the password "
            "that backup was created with.");
    }
    if (containsAny(text, {"no such host", "dial tcp", "connection refused", "network is unreachable",
                           "no route to host", "i/o timeout", "timeout", "could not connect",
                           "temporary failure in name resolution", "tls handshake"})) {
        if (provider == StorageProviderId::custom) {
            return Text::tr("Couldn't reach your storage. Check its address and your internet connection, "
                            "then try again.");
        }
        // Names Scaleway whatever catalogue provider: it is the one offered.
        return Text::tr("Couldn't reach Scaleway. Check your internet connection and try again.");
    }
    if (containsAny(text, {"403", "forbidden", "access denied", "accessdenied", "invalidaccesskeyid",
                           "signaturedoesnotmatch", "invalid access key", "credentials", "not authorized"})) {
        return Text::tr(
            "Those keys were rejected. Double-check the access key and secret key, then try again.");
    }
    if (containsAny(text, {"permanentredirect", "authorizationheadermalformed", "301", "wrong region",
                           "bucketregion", "region", "bucketalreadyownedbyyou",
                           "already exists, and you own it"})) {
        return Text::tr(
            "That bucket is in a different region than expected. Check the bucket name, then try again.");
    }
    if (containsAny(text, {"nosuchbucket", "bucket", "404", "not found"})) {
        return Text::tr("Couldn't find that bucket. Check the bucket name, then try again.");
    }
    return Text::tr("Couldn't reach the bucket. Check your keys and bucket name, then try again.");
}

std::optional<StorageRegion> detectRegion(const QString& fullText, const StorageProvider& provider,
                                          const StorageRegion& currentRegion) {
    const auto errorText = withoutLocations(fullText);
    const auto text = errorText.toLower();
    if (!containsAny(text, {"permanentredirect", "authorizationheadermalformed", "x-amz-bucket-region",
                            "bucketregionerror", "the region", "expecting", "<region>"})) {
        return std::nullopt;
    }
    for (const char* prefix : {"expecting '", "expecting \"", "<region>", "x-amz-bucket-region:"}) {
        const auto found = errorText.indexOf(QLatin1String(prefix), 0, Qt::CaseInsensitive);
        if (found < 0) {
            continue;
        }
        auto position = found + qsizetype(std::strlen(prefix));
        while (position < errorText.size() &&
               (errorText[position] == QLatin1Char(' ') || errorText[position] == QLatin1Char('\t'))) {
            ++position;
        }
        auto end = position;
        while (end < errorText.size() &&
               (errorText[end].isLetterOrNumber() || errorText[end] == QLatin1Char('-'))) {
            ++end;
        }
        if (end > position) {
            if (auto region = provider.region(errorText.mid(position, end - position).toLower())) {
                return region;
            }
        }
    }
    const auto tokens = codeTokens(text);
    for (const auto& region : provider.allRegions()) {
        if (region != currentRegion && tokens.contains(region.code)) {
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
    const auto text = withoutLocations(errorText).toLower();
    // restic words an unknown host "no such host" and rejected keys "unable to open config file: ... Access
    // Denied": read as a bucket without a repository, both would look connected.
    if (containsAny(text, {"nosuchbucket", "bucket does not exist"}) || isNetworkFailure(text) ||
        isRejection(text)) {
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

QString invalidBucketName() {
    return Text::tr(
        "Bucket names use 3–63 lowercase letters, digits, dots and hyphens, and begin and end with "
        "a letter or digit.");
}

QString unreadableConfiguration() {
    return Text::tr(
        "Keldoran's storage settings can't be read. Set up the storage again to go on backing up.");
}

QString bucketNotFound(const QString& bucket) {
    return QStringLiteral("Couldn't find bucket \"%1\" in any EU region.").arg(bucket);
}

QString bucketMissing(const QString& bucket, const QString& city) {
    return Text::tr("There's no bucket named %1 in %2. Create it on your provider's page, or check the name.")
        .arg(bucket, city);
}

QString noBackupToChangeKeysOf() {
    return Text::tr("There's no backup set up yet to use these keys with.");
}

QString keysMissTheBackup() {
    return Text::tr("These keys don't reach your backup. Use keys of the account that holds its bucket.");
}

QString regionUndetermined() {
    return Text::tr("Couldn't determine your bucket's region. Check the bucket name, then try again.");
}

QString resticMissing() {
    return ResticError::tr("The restic executable is missing from the app.");
}

QString probeTimedOut(int seconds) {
    return QStringLiteral("restic did not answer within %1 seconds: i/o timeout").arg(seconds);
}

QString endpointMissing() {
    return Text::tr("Enter your storage's address, such as https://s3.example.com.");
}

QString endpointInvalid() {
    return Text::tr("That isn't a storage address. Enter it as https://s3.example.com, with a port if "
                    "it needs one.");
}

QString endpointWithPath() {
    return Text::tr("Enter the storage's address without a bucket or folder; the bucket has its own field.");
}

QString endpointNotHttps() {
    return Text::tr("Keldoran connects to storage only over https, except to a server on this computer.");
}

QString customRegionInvalid() {
    return Text::tr("A region is made of letters, digits and hyphens, such as us-east-1.");
}

} // namespace SetupMessages

} // namespace keldoran
