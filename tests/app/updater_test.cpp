// The updater against a local HTTP server serving an appcast.
#include "app/updater.h"
#include "platform/workspace.h"
#include "support/event_loop.h"
#include "support/http_test_server.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>
#include <QTcpServer>

namespace keldoran {

namespace {

class RecordingWorkspace : public Workspace {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    void reveal(const QString&, std::function<void()>) override {}
    QList<QUrl> opened;
};

QByteArray appcast(const QString& items) {
    return QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel><title>Keldoran</title>%1</channel>
</rss>)")
        .arg(items)
        .toUtf8();
}

QString item(const char* version, const char* display) {
    return QStringLiteral(R"(<item><title>Keldoran %2</title><link>https://keldoran.app/download/%2</link>
      <enclosure url="https://keldoran.app/files/keldoran-%2.tar.gz" sparkle:version="%1" sparkle:shortVersionString="%2" length="1" type="application/octet-stream"/></item>)")
        .arg(QLatin1String(version), QLatin1String(display));
}

// Checks once and answers the updater's log lines from the check on.
QStringList check(Updater& updater) {
    LogCapture log;
    bool ended = false;
    const auto end = [&] {
        ended = true;
    };
    QObject::connect(&updater, &Updater::updateFound, end);
    QObject::connect(&updater, &Updater::noUpdateFound, end);
    QObject::connect(&updater, &Updater::checkAborted, end);
    updater.checkForUpdates();
    EXPECT_TRUE(spinUntil([&] { return ended; }));
    return log.messages(QStringLiteral("updater"));
}

} // namespace

TEST(Updater, findsANewerReleaseAndOpensItsDownloadPage) {
    HttpTestServer server;
    server.body = appcast(item("40", "0.3.0") + item("57", "0.4.0") + item("12", "0.1.0"));
    LogCapture started;
    Updater updater(server.url(), QStringLiteral("42"));
    EXPECT_EQ(started.messages(QStringLiteral("updater")),
              QStringList{QStringLiteral("updater started (feed: ") + server.url().toString() + ")"});
    std::optional<AppcastItem> found;
    QObject::connect(&updater, &Updater::updateFound, [&](const AppcastItem& item) { found = item; });
    EXPECT_EQ(check(updater), (QStringList{"manual update check requested", "appcast loaded (3 items)",
                                           "update found: 0.4.0 (57)"}));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->downloadPage, QUrl(QStringLiteral("https://keldoran.app/download/0.4.0")));

    RecordingWorkspace workspace;
    updater.setWorkspace(&workspace);
    LogCapture log;
    updater.install(*found);
    EXPECT_EQ(log.messages(QStringLiteral("updater")),
              QStringList{QStringLiteral("installing update 0.4.0")});
    EXPECT_EQ(workspace.opened, QList<QUrl>{found->downloadPage});
}

TEST(Updater, sameOrOlderIsNoUpdateAndBadFeedsAbort) {
    HttpTestServer server;
    Updater updater(server.url(), QStringLiteral("42"));
    server.body = appcast(item("42", "0.3.1"));
    EXPECT_EQ(check(updater).mid(1), (QStringList{"appcast loaded (1 items)", "no update available"}));
    server.body = appcast(item("41", "0.3.0") + item("9", "0.0.9"));
    EXPECT_EQ(check(updater).mid(1), (QStringList{"appcast loaded (2 items)", "no update available"}));

    server.body = "<rss><channel><item><title>cut short";
    auto lines = check(updater);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(
        QStringLiteral("check aborted: Appcast 1 — The update feed is not well-formed XML: ")));
    server.body = "<html><body>Not found</body></html>";
    EXPECT_EQ(check(updater)[1],
              QStringLiteral("check aborted: Appcast 2 — The update feed is not an RSS appcast."));
    server.status = "404 Not Found";
    lines = check(updater);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("check aborted: QNetworkReply 203 — ")))
        << lines[1].toStdString();

    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const auto port = closed.serverPort();
    closed.close();
    Updater unreachable(QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(port)),
                        QStringLiteral("42"));
    lines = check(unreachable);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("check aborted: QNetworkReply 1 — Connection refused")))
        << lines[1].toStdString();
}

TEST(Updater, withoutAFeedSaysNoneAndAbortsAManualCheck) {
    LogCapture log;
    Updater updater(QUrl(), QStringLiteral("42"));
    EXPECT_EQ(check(updater), (QStringList{"manual update check requested",
                                           "check aborted: Updater 1 — This build has no update feed."}));
    EXPECT_EQ(log.messages(QStringLiteral("updater")).first(),
              QStringLiteral("updater started (feed: none)"));
}

TEST(Updater, comparesVersionsPartByPart) {
    EXPECT_GT(Updater::compareVersions(QStringLiteral("1.10"), QStringLiteral("1.9")), 0);
    EXPECT_EQ(Updater::compareVersions(QStringLiteral("1.2"), QStringLiteral("1.2.0")), 0);
    EXPECT_LT(Updater::compareVersions(QStringLiteral("57"), QStringLiteral("100")), 0);
    EXPECT_LT(Updater::compareVersions(QStringLiteral("2.0b1"), QStringLiteral("2.0b2")), 0);
}

} // namespace keldoran
