#include "bucket_probe.h"

#include <memory>
#include <qcoro/qcoronetworkreply.h>
#include <QCryptographicHash>
#include <QDateTime>
#include <QMessageAuthenticationCode>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QUrl>

namespace keldoran {

namespace BucketProbe {
namespace {

constexpr int timeLimitMs = 15000;

QByteArray sha256Hex(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray hmac(const QByteArray& key, const QByteArray& message) {
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256);
}

} // namespace

QByteArray authorization(const QByteArray& method, const QByteArray& path, const QByteArray& host,
                         const QByteArray& amzDate, const QString& region, const QString& accessKey,
                         const QString& secretKey) {
    const auto day = amzDate.left(8);
    const auto payloadHash = sha256Hex({});
    const QByteArray signedHeaders = "host;x-amz-content-sha256;x-amz-date";
    const auto canonicalRequest = method + '\n' + path + "\n\n" + "host:" + host + '\n' +
                                  "x-amz-content-sha256:" + payloadHash + '\n' + "x-amz-date:" + amzDate +
                                  "\n\n" + signedHeaders + '\n' + payloadHash;
    const auto scope = day + '/' + region.toUtf8() + "/s3/aws4_request";
    const auto stringToSign =
        "AWS4-HMAC-SHA256\n" + amzDate + '\n' + scope + '\n' + sha256Hex(canonicalRequest);
    auto key = hmac("AWS4" + secretKey.toUtf8(), day);
    for (const QByteArray part : {region.toUtf8(), QByteArray("s3"), QByteArray("aws4_request")}) {
        key = hmac(key, part);
    }
    return "AWS4-HMAC-SHA256 Credential=" + accessKey.toUtf8() + '/' + scope +
           ", SignedHeaders=" + signedHeaders + ", Signature=" + hmac(key, stringToSign).toHex();
}

QCoro::Task<Presence> check(StorageConfig config, QString accessKey, QString secretKey,
                            std::optional<QString> endpointOverride, QProcessEnvironment environment) {
    QUrl url(config.endpointUrl(endpointOverride) + QLatin1Char('/'));
    url.setPath(QLatin1Char('/') + config.bucket);
    if (!url.isValid() || config.bucket.isEmpty() || config.bucket.contains(QLatin1Char('/'))) {
        co_return Presence::unknown;
    }
    auto host = url.host().toUtf8();
    if (url.port() != -1) {
        host += ':' + QByteArray::number(url.port());
    }
    // The request's own timestamp: a provider refuses one far from the real time.
    const auto amzDate =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    QNetworkRequest request(url);
    request.setRawHeader("x-amz-date", amzDate);
    request.setRawHeader("x-amz-content-sha256", sha256Hex({}));
    request.setRawHeader("Authorization", authorization("HEAD", url.path(QUrl::FullyEncoded).toLatin1(), host,
                                                        amzDate, config.region.code, accessKey, secretKey));
    request.setTransferTimeout(timeLimitMs);
    if (const auto authority = environment.value(QStringLiteral("SSL_CERT_FILE")); !authority.isEmpty()) {
        auto tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(QSslCertificate::fromPath(authority));
        request.setSslConfiguration(tls);
    }
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> reply(network.head(request));
    co_await qCoro(reply.get()).waitForFinished();
    const auto status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404) {
        co_return Presence::missing;
    }
    // 200 is the bucket; 301 and 400 name another region, 403 keys without the right to list it.
    co_return status == 200 || status == 301 || status == 400 || status == 403 ? Presence::present
                                                                               : Presence::unknown;
}

} // namespace BucketProbe

} // namespace keldoran
