// keldoranctl end to end, against the S3 test server; runs under support/with-private-session.
#include "build_info.h"
#include "ctl/ctl_messages.h"
#include "model/settings_keys.h"
#include "storage/keychain.h"
#include "storage/storage_config.h"
#include "storage/validation.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/local_repository.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>

namespace keldoran {

namespace {

struct Result {
    int status = -1;
    QString out;
    QString error;
};

class Ctl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        writeFile(test.home() + QStringLiteral("/Documents/report.pdf"), "the report as backed up");
        writeFile(test.home() + QStringLiteral("/Documents/notes.txt"), "notes");
        writeFile(secrets.filePath(QStringLiteral("access")), "S3RVER\n");
        writeFile(secrets.filePath(QStringLiteral("secret")), "S3RVER\n");
        writeFile(secrets.filePath(QStringLiteral("password")), "a sturdy password\n");
    }

    QProcessEnvironment environment() const {
        auto environment = QProcessEnvironment::systemEnvironment();
        server.addClientEnvironment(environment);
        return test.processEnvironment(environment);
    }

    Result ctl(const QStringList& arguments, const QString& locale = {}) {
        QProcess process;
        auto environment = this->environment();
        if (!locale.isEmpty()) {
            environment.insert(QStringLiteral("LC_ALL"), locale);
        }
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KELDORAN_CTL), arguments);
        process.closeWriteChannel();
        process.waitForFinished(180000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    Result setUp(const QString& accessFile) {
        return ctl({"setup", "--provider", "scaleway", "--bucket", QString::fromLatin1(S3TestServer::bucket),
                    "--access-key-file", accessFile, "--secret-key-file",
                    secrets.filePath(QStringLiteral("secret")), "--password-file",
                    secrets.filePath(QStringLiteral("password"))});
    }

    QString newestSnapshot() {
        const auto listed = ctl({QStringLiteral("snapshots")});
        return listed.out.section(QLatin1Char(' '), 0, 0);
    }

    S3TestServer server;
    TestPlatform test;
    QTemporaryDir secrets;
};

} // namespace

// Other S3-compatible storage, named only by its address: the tests' server without the override that
// otherwise replaces every endpoint.
TEST_F(Ctl, setsUpOtherS3StorageByItsAddressThenBacksUpAndRestores) {
    const auto address = QStringLiteral("https://") + server.endpoint();
    const auto withoutOverride = [&](const QStringList& arguments) {
        QProcess process;
        auto environment = this->environment();
        environment.remove(QStringLiteral("KELDORAN_S3_ENDPOINT"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KELDORAN_CTL), arguments);
        process.closeWriteChannel();
        process.waitForFinished(180000);
        return Result{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                      QString::fromUtf8(process.readAllStandardOutput()),
                      QString::fromUtf8(process.readAllStandardError())};
    };
    const QStringList keys{"--bucket",          QString::fromLatin1(S3TestServer::bucket),
                           "--access-key-file", secrets.filePath(QStringLiteral("access")),
                           "--secret-key-file", secrets.filePath(QStringLiteral("secret")),
                           "--password-file",   secrets.filePath(QStringLiteral("password"))};
    for (const auto& [arguments, problem] :
         {std::pair{QStringList{"--provider", "scaleway", "--endpoint", address},
                    CtlMessages::providerOrEndpoint()},
          std::pair{QStringList{"--region", "eu-1"}, CtlMessages::customOptionsNeedEndpoint()},
          std::pair{QStringList{"--provider", "custom"},
                    CtlMessages::unknownProvider(QStringLiteral("custom"))},
          std::pair{QStringList{"--path-style"}, CtlMessages::customOptionsNeedEndpoint()},
          std::pair{QStringList{"--endpoint", "http://s3.example.com"}, SetupMessages::endpointNotHttps()},
          std::pair{QStringList{"--endpoint", address + "/bucket"}, SetupMessages::endpointWithPath()}}) {
        const auto refused = withoutOverride(QStringList{"setup"} + arguments + keys);
        EXPECT_EQ(refused.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.error.startsWith(problem + QLatin1Char('\n'))) << refused.error.toStdString();
    }
    EXPECT_FALSE(test.settings().dataValue(SettingsKeys::storageConfig).has_value());

    auto result = withoutOverride(QStringList{"setup", "--endpoint", address, "--path-style"} + keys);
    ASSERT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_TRUE(
        result.out.startsWith(QStringLiteral("Checking…\nConnected — bucket keldoran-test found in ") +
                              server.endpoint() + QLatin1Char('\n')))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Protected\n")));
    const auto stored = StorageConfig::load(test.settings());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->region.provider, StorageProviderId::custom);
    EXPECT_EQ(stored->region.endpointUrl(), address);
    EXPECT_EQ(stored->region.code, QStringLiteral("us-east-1"));
    EXPECT_TRUE(stored->region.pathStyle);

    const auto snapshot = withoutOverride({QStringLiteral("snapshots")}).out.section(QLatin1Char(' '), 0, 0);
    ASSERT_EQ(snapshot.size(), 8);
    QTemporaryDir elsewhere;
    result = withoutOverride(
        {"restore", snapshot, test.home() + "/Documents/report.pdf", "--to", elsewhere.path(), "--replace"});
    ASSERT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("report.pdf"))),
              QByteArray("the report as backed up"));
}

TEST_F(Ctl, setsUpBacksUpListsAndRestores) {
    auto result = setUp(secrets.filePath(QStringLiteral("access")));
    ASSERT_EQ(result.status, 0) << result.error.toStdString();
    const auto lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.mid(0, 4),
              (QStringList{"Checking…", "Connected — bucket keldoran-test found in Paris", "You're protected",
                           "Your first backup is starting now. Keldoran lives in the system tray — look for "
                           "the ring icon."}));
    EXPECT_EQ(lines.last(), QStringLiteral("Protected"));
    EXPECT_EQ(test.settings().boolValue(SettingsKeys::hasCompletedOnboarding), true);
    EXPECT_EQ(await(Keychain(test.secrets).read(Keychain::Account::repositoryPassword)),
              QStringLiteral("a sturdy password"));

    const auto snapshot = newestSnapshot();
    ASSERT_EQ(snapshot.size(), 8);
    result = ctl({QStringLiteral("ls"), snapshot});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.contains(
        QRegularExpression(QStringLiteral(R"(^d\s+-\s.*Documents/$)"), QRegularExpression::MultilineOption)))
        << result.out.toStdString();
    result = ctl({QStringLiteral("ls"), snapshot, test.home() + QStringLiteral("/Documents")});
    EXPECT_EQ(result.out.count(QLatin1Char('\n')), 2);
    EXPECT_TRUE(result.out.contains(QStringLiteral("report.pdf")));

    writeFile(test.home() + QStringLiteral("/Documents/report.pdf"), "edited since");
    result =
        ctl({QStringLiteral("restore"), snapshot, test.home() + QStringLiteral("/Documents/report.pdf")});
    ASSERT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Restore complete: ") + test.home() +
                                    QStringLiteral("/Documents\n")));
    EXPECT_EQ(readFile(test.home() + QStringLiteral("/Documents/report.pdf")), QByteArray("edited since"));
    EXPECT_EQ(readFile(test.home() + QStringLiteral("/Documents/report (restored).pdf")),
              QByteArray("the report as backed up"));
    QTemporaryDir elsewhere;
    result = ctl(
        {"restore", snapshot, test.home() + "/Documents/report.pdf", "--to", elsewhere.path(), "--replace"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("report.pdf"))),
              QByteArray("the report as backed up"));

    result = ctl({QStringLiteral("status")});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Protected\nBacked up "))) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\nData integrity verified\n")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("\nProtected: ")));

    result = ctl({QStringLiteral("pause"), QStringLiteral("1h")});
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Paused until ")));
    result = ctl({QStringLiteral("status")});
    // Seconds have passed since the pause, and the relative time counts whole units down.
    EXPECT_TRUE(
        result.out.contains(QRegularExpression(QStringLiteral("^Paused\nResumes in (1 hour|59 minutes)\n"))))
        << result.out.toStdString();
    EXPECT_EQ(ctl({QStringLiteral("resume")}).out, QStringLiteral("Protection resumed.\n"));

    result = ctl({QStringLiteral("backup")});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Protected\n")));

    // After a check that found damage, neither says only "Protected".
    test.settings().setValue(SettingsKeys::lastCheckFailureReason, QStringLiteral("corruption"));
    test.settings().setValue(SettingsKeys::lastCheckedDate, QDateTime::currentDateTime());
    const auto damage = QStringLiteral("Check failed\nDamaged data was found in the backup. Don't delete "
                                       "snapshots — check the repository.\n");
    result = ctl({QStringLiteral("backup")});
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Protected\n") + damage)) << result.out.toStdString();
    EXPECT_TRUE(ctl({QStringLiteral("status")}).out.contains(damage));
}

TEST_F(Ctl, printsItsVersionAndBuild) {
    const auto result = ctl({QStringLiteral("--version")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QStringLiteral("keldoranctl %1 (build %2)\n")
                              .arg(QLatin1String(BuildInfo::version), QLatin1String(BuildInfo::buildNumber)));
    EXPECT_EQ(result.error, QString());
}

// keldoranctl speaks the user's language when Keldoran ships it, and English otherwise.
TEST_F(Ctl, speaksTheLanguageOfTheUsersLocale) {
    const char* notSetUp = "Keldoran isn't set up yet. Run “keldoranctl setup” first.";
    for (const auto* language : {"de", "fr"}) {
        QTranslator catalogue;
        ASSERT_TRUE(catalogue.load(QStringLiteral(":/i18n/keldoran_") + QLatin1String(language)));
        const auto expected = catalogue.translate("CtlMessages", notSetUp);
        ASSERT_FALSE(expected.isEmpty());
        const auto result =
            ctl({QStringLiteral("backup")}, QLatin1String(language) + QStringLiteral("_BE.UTF-8"));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.error, expected + QLatin1Char('\n')) << language;
        // Qt's own words too, such as its option parser's.
        const auto unknownOption = ctl({QStringLiteral("backup"), QStringLiteral("--bogus")},
                                       QLatin1String(language) + QStringLiteral("_BE.UTF-8"));
        EXPECT_EQ(unknownOption.status, 2);
        EXPECT_FALSE(unknownOption.error.contains(QStringLiteral("Unknown option")))
            << unknownOption.error.toStdString();
    }
    EXPECT_EQ(ctl({QStringLiteral("backup")}, QStringLiteral("es_ES.UTF-8")).error,
              QString::fromUtf8(notSetUp) + QLatin1Char('\n'));
}

TEST_F(Ctl, badUsageAndRejectedKeysExitWithSentences) {
    auto result = ctl({QStringLiteral("restore")});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.error.contains(QStringLiteral("Usage: keldoranctl restore SNAPSHOT PATH...")));
    EXPECT_EQ(ctl({QStringLiteral("frobnicate")}).status, 2);
    EXPECT_EQ(ctl({}).status, 2);
    EXPECT_EQ(ctl({QStringLiteral("pause"), QStringLiteral("forever")}).status, 2);
    EXPECT_EQ(ctl({QStringLiteral("setup")}).status, 2);
    EXPECT_EQ(ctl({QStringLiteral("--help")}).status, 0);

    result = ctl({QStringLiteral("backup")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, QStringLiteral("Keldoran isn't set up yet. Run “keldoranctl setup” first.\n"));

    writeFile(secrets.filePath(QStringLiteral("wrong")), "AKIAWRONGWRONG");
    result = setUp(secrets.filePath(QStringLiteral("wrong")));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error,
              QStringLiteral(
                  "Those keys were rejected. Double-check the access key and secret key, then try again.\n"));
    EXPECT_FALSE(StorageConfig::load(test.settings()).has_value());
}

TEST_F(Ctl, setupRegistersTheTrayApplicationAndStatusRepairsARegistrationThatNamesAnotherProgram) {
    ASSERT_EQ(setUp(secrets.filePath(QStringLiteral("access"))).status, 0);
    const auto configuration = test.platform().folders.configuration;
    const auto service = configuration + QStringLiteral("/systemd/user/app.keldoran.Keldoran.agent.service");
    const auto autostart = configuration + QStringLiteral("/autostart/app.keldoran.Keldoran.desktop");
    const QByteArray keldoran = "\"" KELDORAN_EXECUTABLE "\"\n";
    const QByteArray keldoranctl = "\"" KELDORAN_CTL "\"\n";
    EXPECT_TRUE(readFile(service).contains("ExecStart=" + keldoran)) << readFile(service).toStdString();
    EXPECT_TRUE(readFile(autostart).contains("Exec=" + keldoran)) << readFile(autostart).toStdString();

    // What an earlier version wrote: keldoranctl as the agent and the login item.
    writeFile(service, readFile(service).replace(keldoran, keldoranctl));
    writeFile(autostart, readFile(autostart).replace(keldoran, keldoranctl));
    const auto result = ctl({QStringLiteral("status")});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(readFile(service).contains("ExecStart=" + keldoran)) << readFile(service).toStdString();
    EXPECT_TRUE(readFile(autostart).contains("Exec=" + keldoran)) << readFile(autostart).toStdString();
    const auto log = readFile(test.platform().folders.logs() + QStringLiteral("/Keldoran.log"));
    EXPECT_TRUE(log.contains("lifecycle: login item repaired (")) << log.toStdString();
    EXPECT_TRUE(log.contains("lifecycle: background agent registration repaired (")) << log.toStdString();
}

TEST_F(Ctl, leavesChangesToARunningKeldoran) {
    ASSERT_EQ(setUp(secrets.filePath(QStringLiteral("access"))).status, 0);
    // The tray runs in German; keldoranctl's answers come in keldoranctl's language all the same.
    QProcess tray;
    auto trayEnvironment = environment();
    trayEnvironment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    tray.setProcessEnvironment(trayEnvironment);
    tray.start(QStringLiteral(KELDORAN_EXECUTABLE), QStringList());
    const auto log = test.platform().folders.logs() + QStringLiteral("/Keldoran.log");
    ASSERT_TRUE(spinUntil([&] { return readFile(log).contains("lifecycle: bootstrap: configured"); }, 30000));

    // A stored configuration shows as set up from the start.
    Result result;
    ASSERT_TRUE(spinUntil(
        [&] {
            result = ctl({QStringLiteral("status")});
            return result.out.startsWith(QStringLiteral("Protected\n"));
        },
        30000))
        << result.out.toStdString();
    result = ctl({QStringLiteral("pause"), QStringLiteral("indefinitely")});
    EXPECT_EQ(result.out, QStringLiteral("Paused until you resume.\n"));
    result = ctl({QStringLiteral("status")});
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Paused\nResume to continue protection\n")))
        << result.out.toStdString();
    QTranslator french;
    ASSERT_TRUE(french.load(QStringLiteral(":/i18n/keldoran_fr")));
    EXPECT_EQ(ctl({QStringLiteral("resume")}, QStringLiteral("fr_FR.UTF-8")).out,
              french.translate("RemoteControl", "Protection resumed.") + QLatin1Char('\n'));
    result = ctl({QStringLiteral("backup")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QStringLiteral("Keldoran is running; it has started a backup.\n"));
    result = ctl({QStringLiteral("restore"), QStringLiteral("latest"),
                  test.home() + QStringLiteral("/Documents/notes.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error,
              QStringLiteral("Keldoran is running. Restore from its window, or quit it and try again.\n"));

    tray.terminate();
    ASSERT_TRUE(tray.waitForFinished(120000));
    EXPECT_EQ(tray.exitCode(), 0);
}

TEST_F(Ctl, findsFilesInEveryBackupAndListsAFilesVersions) {
    ASSERT_EQ(setUp(secrets.filePath(QStringLiteral("access"))).status, 0);
    const auto first = newestSnapshot();
    const auto report = test.home() + QStringLiteral("/Documents/report.pdf");
    const auto notes = test.home() + QStringLiteral("/Documents/notes.txt");
    writeFile(report, "a longer second version");
    QFile::remove(notes);
    writeFile(test.home() + QStringLiteral("/Photos/Café.jpg"), "photo");
    ASSERT_EQ(ctl({QStringLiteral("backup")}).status, 0);
    const auto second = newestSnapshot();
    ASSERT_NE(first, second);

    // The notes are only in the first backup: found there, after both were indexed.
    auto result = ctl({QStringLiteral("find"), QStringLiteral("NOTES")});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_EQ(result.error, QStringLiteral("Indexing 2 backups…\n"));
    auto lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << result.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(notes + QStringLiteral("  "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("  ") + first + QLatin1Char(' '))) << lines[0].toStdString();

    // Accents and case do not matter; the newest backup holding a file is named; nothing is indexed twice.
    result = ctl({QStringLiteral("find"), QStringLiteral("cafe")});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_TRUE(result.out.startsWith(test.home() + QStringLiteral("/Photos/Café.jpg  ")))
        << result.out.toStdString();
    result = ctl({QStringLiteral("find"), QStringLiteral("report.pdf")});
    EXPECT_TRUE(result.out.contains(QStringLiteral("  ") + second + QLatin1Char(' ')))
        << result.out.toStdString();
    result = ctl({QStringLiteral("find"), QStringLiteral("report.pdf"), QStringLiteral("--snapshot"), first});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.contains(QStringLiteral("  ") + first + QLatin1Char(' ')))
        << result.out.toStdString();

    result = ctl({QStringLiteral("find"), QStringLiteral("no such name")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, QStringLiteral("Nothing in your backups has “no such name” in its name.\n"));
    result = ctl({QStringLiteral("find"), QStringLiteral("report"), QStringLiteral("--snapshot"),
                  QStringLiteral("ffffffff")});
    EXPECT_EQ(result.status, 1);
    for (const auto& arguments : QList<QStringList>{{"find"},
                                                    {"find", "-rf"},
                                                    {"find", "--", "-rf"},
                                                    {"find", "a", "b"},
                                                    {"find", "report", "--snapshot", "--help"},
                                                    {"versions"},
                                                    {"versions", "--", "-x"},
                                                    {"versions", "a", "b"}}) {
        EXPECT_EQ(ctl(arguments).status, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    }

    // Two versions of the report, newest first; the notes in one backup only.
    result = ctl({QStringLiteral("versions"), report});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(second + QLatin1Char(' ')));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("1 KB"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(first + QLatin1Char(' ')));
    result = ctl({QStringLiteral("versions"), notes});
    EXPECT_EQ(result.out.count(QLatin1Char('\n')), 1);
    result = ctl({QStringLiteral("versions"), test.home() + QStringLiteral("/Documents/never.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.error.endsWith(QStringLiteral("is in none of your backups.\n")));
}

} // namespace keldoran
