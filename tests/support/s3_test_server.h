#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace keldoran {

/// The S3-compatible test server (support/s3-test-server) on a free loopback port with TLS, for the
/// life of the object. Its bucket is "keldoran-test", plus any `otherBuckets`.
class S3TestServer {
public:
    explicit S3TestServer(const QStringList& otherBuckets = {});
    ~S3TestServer();

    bool isRunning() const { return !endpoint_.isEmpty(); }
    /// "127.0.0.1:PORT", what KELDORAN_S3_ENDPOINT takes.
    QString endpoint() const { return endpoint_; }
    /// The throwaway CA restic must trust (SSL_CERT_FILE).
    QString certificateAuthority() const { return certificateAuthority_; }
    /// Where the server keeps its objects.
    QString dataDirectory() const { return directory_.filePath(QStringLiteral("data")); }
    /// The variables a client process needs: the endpoint and the CA.
    void addClientEnvironment(QProcessEnvironment& environment) const;

    static constexpr const char* bucket = "keldoran-test";

private:
    QTemporaryDir directory_;
    QString endpoint_;
    QString certificateAuthority_;
};

} // namespace keldoran
