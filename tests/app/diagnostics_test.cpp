// The fatal-signal handler in a child that crashes on purpose, and the next launch delivering its report.
#include "app/diagnostics.h"
#include "app/menu_bar_app.h"
#include "support/event_loop.h"
#include "support/file_tree.h"
#include "support/local_repository.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

namespace keldoran {

namespace {

// Runs the crashing child; answers the signal it died of (0 when it did not).
int crash(const QString& pendingFolder, const QString& how) {
    QProcess child;
    child.start(QStringLiteral(KELDORAN_CRASHING_CHILD), {pendingFolder, how});
    child.waitForFinished(30000);
    return child.exitStatus() == QProcess::CrashExit ? child.exitCode() : 0;
}

} // namespace

TEST(Diagnostics, aCrashLeavesAReportThatTheNextLaunchPersists) {
    TestPlatform test;
    const auto logs = test.platform().folders.logs();
    const auto pending = Diagnostics::pendingFolder(logs);
    const auto before = QDateTime::currentDateTimeUtc().addSecs(-1);
    EXPECT_EQ(crash(pending, QStringLiteral("segv")), SIGSEGV);
    EXPECT_EQ(crash(pending, QStringLiteral("abort")), SIGABRT);
    EXPECT_EQ(crash(pending, QStringLiteral("overflow")), SIGSEGV);
    const auto reports = QDir(pending).entryList({QStringLiteral("*.json")}, QDir::Files);
    ASSERT_EQ(reports.size(), 3);
    QStringList names;
    for (const auto& name : reports) {
        const auto report = QJsonDocument::fromJson(readFile(pending + QLatin1Char('/') + name)).object();
        names.append(report.value(QLatin1String("signalName")).toString());
        EXPECT_EQ(report.value(QLatin1String("version")).toString(), QStringLiteral("9.9.9 (42)"));
        const auto time = QDateTime::fromString(report.value(QLatin1String("time")).toString(), Qt::ISODate);
        EXPECT_TRUE(time >= before && time <= QDateTime::currentDateTimeUtc()) << name.toStdString();
        const auto frames = report.value(QLatin1String("backtrace")).toArray();
        EXPECT_GE(frames.size(), 3) << name.toStdString();
        EXPECT_TRUE(frames.first().toString().startsWith(QStringLiteral("0x")));
        EXPECT_TRUE(
            report.value(QLatin1String("executable")).toString().endsWith(QStringLiteral("crashing_child")));
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"SIGABRT", "SIGSEGV", "SIGSEGV"}));

    // The next launch delivers them as one list, persists each and clears them.
    LogCapture log;
    MenuBarApp app(test.platform());
    ASSERT_TRUE(app.launch());
    const auto lines = log.messages(QStringLiteral("lifecycle"));
    const auto registered = lines.indexOf(QStringLiteral("crash reporter installed"));
    ASSERT_GE(registered, 0);
    QStringList persisted;
    for (const auto& line : lines.mid(registered + 1)) {
        if (line.startsWith(QStringLiteral("crash report received — persisted to "))) {
            persisted.append(line.section(QStringLiteral(" to "), 1));
        }
    }
    ASSERT_EQ(persisted.size(), 3);
    for (int index = 0; index < 3; ++index) {
        EXPECT_TRUE(persisted[index].startsWith(QStringLiteral("diagnostic-") +
                                                before.toString(QStringLiteral("yyyy-MM-dd"))));
        EXPECT_TRUE(persisted[index].endsWith(QStringLiteral("-%1.json").arg(index)));
        EXPECT_TRUE(QJsonDocument::fromJson(readFile(logs + QLatin1Char('/') + persisted[index])).isObject());
    }
    EXPECT_TRUE(QDir(pending).entryList(QDir::Files).isEmpty());
    // The launch also creates the shared updater; this build has no feed.
    EXPECT_EQ(log.messages(QStringLiteral("updater")),
              QStringList{QStringLiteral("updater started (feed: none)")});
    ASSERT_TRUE(spinUntil([&] {
        return log.messages(QStringLiteral("lifecycle")).contains(QStringLiteral("bootstrap: needsSetup"));
    }));
}

TEST(Diagnostics, namesFilesByEndTimeAndIndexAndIgnoresAnEmptyList) {
    QTemporaryDir folder;
    const auto logs = folder.filePath(QStringLiteral("Logs/Keldoran"));
    const Diagnostics diagnostics(logs);
    LogCapture log;
    diagnostics.didReceive({});
    EXPECT_FALSE(QDir(logs).exists());
    EXPECT_TRUE(log.lines().isEmpty());

    const QDateTime end(QDate(2026, 12, 5), QTime(4, 12), QTimeZone::utc());
    diagnostics.didReceive({{end, "{\"a\":1}"}, {end, "{\"b\":2}"}});
    EXPECT_EQ(readFile(logs + QStringLiteral("/diagnostic-2026-12-05T04:12:00Z-0.json")),
              QByteArray("{\"a\":1}"));
    EXPECT_EQ(readFile(logs + QStringLiteral("/diagnostic-2026-12-05T04:12:00Z-1.json")),
              QByteArray("{\"b\":2}"));
    // Reports hold paths: the user's alone.
    EXPECT_EQ(FileTree::modeOf(logs + QStringLiteral("/diagnostic-2026-12-05T04:12:00Z-0.json")), 0600u);
    EXPECT_EQ(FileTree::modeOf(logs), 0700u);
    EXPECT_EQ(log.lines(), (QStringList{"[ERROR] lifecycle: crash report received — persisted to "
                                        "diagnostic-2026-12-05T04:12:00Z-0.json",
                                        "[ERROR] lifecycle: crash report received — persisted to "
                                        "diagnostic-2026-12-05T04:12:00Z-1.json"}));
}

} // namespace keldoran
