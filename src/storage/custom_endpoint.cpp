#include "custom_endpoint.h"

#include "storage_provider.h"
#include "validation.h"

#include <algorithm>
#include <QHostAddress>
#include <QUrl>

namespace CustomEndpoint {
namespace {

bool isThisMachine(const QString& host) {
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

bool isRegionCode(const QString& code) {
    return std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'-' || c == u'_' || c == u'.';
    });
}

} // namespace

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
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() ||
        url.hasFragment() || (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
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
    const auto host = url.authority(QUrl::FullyEncoded);
    return StorageRegion{StorageProviderId::custom, code, host, host, scheme, pathStyle};
}

} // namespace CustomEndpoint
