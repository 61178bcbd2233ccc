#include "s3_test_server.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QTcpServer>

namespace keldoran {

namespace {
QString launcher() {
    return QStringLiteral(KELDORAN_TEST_SUPPORT "/s3-test-server");
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
} // namespace

S3TestServer::S3TestServer(const QStringList& otherBuckets) {
    QProcess start;
    start.start(launcher(), QStringList{QStringLiteral("start"), directory_.path(),
                                        QString::number(freePort()), QString::fromLatin1(bucket)} +
                                otherBuckets);
    start.waitForFinished(30000);
    const auto output = QString::fromUtf8(start.readAllStandardOutput());
    if (start.exitCode() != 0) {
        ADD_FAILURE() << "the S3 test server did not start: " << start.readAllStandardError().toStdString();
        return;
    }
    for (const auto& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto value = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("KELDORAN_S3_ENDPOINT="))) {
            endpoint_ = value;
        } else if (line.startsWith(QLatin1String("SSL_CERT_FILE="))) {
            certificateAuthority_ = value;
        }
    }
}

S3TestServer::~S3TestServer() {
    QProcess::execute(launcher(), {QStringLiteral("stop"), directory_.path()});
}

void S3TestServer::addClientEnvironment(QProcessEnvironment& environment) const {
    environment.insert(QStringLiteral("KELDORAN_S3_ENDPOINT"), endpoint_);
    environment.insert(QStringLiteral("SSL_CERT_FILE"), certificateAuthority_);
}

} // namespace keldoran
