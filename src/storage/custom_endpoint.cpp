#include "custom_endpoint.h"

#include "storage_provider.h"
#include "validation.h"

#include <algorithm>
#include <QHostAddress>
#include <QUrl>

namespace keldoran {

namespace CustomEndpoint {
namespace {

bool isThisMachine(const QString& host) {
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

} // namespace

bool isRegionCode(const QString& code) {
    return !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'-' || c == u'_' || c == u'.';
    });
}

std::variant<StorageRegion, QString> region(const QString& address, const QString& regionCode,
                                            bool pathStyle) {
    auto text = address.trimmed();
    if (text.isEmpty()) {
        return SetupMessages::endpointMissing();
    }
    if (!text.contains(QLatin1String("://"))) {
        text.prepend(QLatin1String("https://"));
    }
    const QUrl url(text, QUrl::StrictMode);
    const auto scheme = url.scheme().toLower();
    // An "@" with nothing before it still makes user information, and would stay in the address.
    if (!url.isValid() || url.host().isEmpty() || text.contains(QLatin1Char('@')) || url.hasQuery() ||
        url.hasFragment() || url.port() == 0 ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        return SetupMessages::endpointInvalid();
    }
    if (!url.path().isEmpty() && url.path() != QLatin1String("/")) {
        return SetupMessages::endpointWithPath();
    }
    if (scheme == QLatin1String("http") && !isThisMachine(url.host())) {
        return SetupMessages::endpointNotHttps();
    }
    const auto code = regionCode.trimmed().isEmpty()
                          ? QString::fromLatin1(StorageProvider::defaultCustomRegion)
                          : regionCode.trimmed();
    if (!isRegionCode(code)) {
        return SetupMessages::customRegionInvalid();
    }
    // restic is given the host as DNS knows it; the user reads it as typed.
    const auto host = url.authority(QUrl::FullyEncoded);
    auto shown = QUrl::fromAce(url.host(QUrl::FullyEncoded).toLatin1(), QUrl::IgnoreIDNWhitelist);
    if (shown.contains(QLatin1Char(':'))) {
        shown = QLatin1Char('[') + shown + QLatin1Char(']');
    }
    if (url.port() != -1) {
        shown += QLatin1Char(':') + QString::number(url.port());
    }
    return StorageRegion{StorageProviderId::custom, code, shown, host, scheme, pathStyle};
}

} // namespace CustomEndpoint

} // namespace keldoran
