// keldoranctl's commands in this process, over a scripted restic and the injected clock: failures told,
// time limits, Ctrl-C. Runs under support/with-keyring.
#include "backup/backup_controller.h"
#include "control/remote_control.h"
#include "ctl/commands.h"
#include "model/app_model.h"
#include "presentation/translations.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/test_platform.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QTranslator>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString error;
};

// Standard output and error of this process, sent to files while a command runs.
class CapturedOutput {
public:
    CapturedOutput() {
        for (int stream : {1, 2}) {
            auto& file = files_[stream - 1];
            file.open();
            std::fflush(stream == 1 ? stdout : stderr);
            saved_[stream - 1] = ::dup(stream);
            ::dup2(file.handle(), stream);
        }
    }
    ~CapturedOutput() { restore(); }

    void restore() {
        for (int stream : {1, 2}) {
            if (saved_[stream - 1] >= 0) {
                std::fflush(stream == 1 ? stdout : stderr);
                ::dup2(saved_[stream - 1], stream);
                ::close(std::exchange(saved_[stream - 1], -1));
            }
        }
    }
    QString text(int stream) { return QString::fromUtf8(readFile(files_[stream - 1].fileName())); }

private:
    QTemporaryFile files_[2];
    int saved_[2] = {-1, -1};
};

class CtlCommands : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
    }

    Outcome finish(QCoro::Task<int>&& command, CapturedOutput& output) {
        const int status = await(std::move(command));
        output.restore();
        return {status, output.text(1), output.text(2)};
    }

    Outcome run(const QStringList& arguments) {
        CapturedOutput output;
        return finish(Commands::run(&test.platform(), arguments), output);
    }

    // The first call of restic `command` once it waits for its interrupt; 0 when none came.
    int waitingCall(const QString& command) {
        int found = 0;
        spinUntil([&] {
            for (int call = 1; call <= fake.callCount(); ++call) {
                if (fake.arguments(call).value(0) == command && fake.isWaiting(call)) {
                    found = call;
                }
            }
            return found > 0;
        });
        return found;
    }

    TestPlatform test;
    FakeRestic fake;
};

const QString snapshotList = QStringLiteral(
    R"(echo '[{"time":"2026-12-06T22:59:11Z","tree":"t","paths":["%1"],"hostname":"h","id":"abcdef0123456789","short_id":"abcdef01"}]')");
const QString wrongPassword = QStringLiteral(
    R"(echo '{"message_type":"exit_error","code":12,"message":"Fatal: wrong password or no key found"}' >&2; exit 12)");

} // namespace

TEST_F(CtlCommands, aRepositoryThatCannotBeReadFailsEveryCommandWithItsSentence) {
    fake.respond({{QStringLiteral("snapshots"), wrongPassword}});
    auto result = run({QStringLiteral("snapshots")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.error, QStringLiteral("Repository password is incorrect.\n"));

    result =
        run({QStringLiteral("restore"), QStringLiteral("abcdef01"), test.home() + QStringLiteral("/a.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, QStringLiteral("Repository password is incorrect.\n"));

    result = run({QStringLiteral("ls"), QStringLiteral("abcdef01")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, QStringLiteral("Repository password is incorrect.\n"));

    fake.respond(
        {{QStringLiteral("snapshots"),
          QStringLiteral("ulimit -c 0; exec /usr/bin/python3 -c 'import os; os.kill(os.getpid(), 11)'")}});
    result = run({QStringLiteral("snapshots")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, QStringLiteral("restic stopped unexpectedly (signal 11).\n"));
}

// The running application's answer to status carries what keldoranctl on its own would fail with:
// backups that can no longer be read, in the asker's language.
TEST_F(CtlCommands, aStatusThroughTheRunningApplicationFailsWhenItsBackupsCannotBeRead) {
    fake.respond({{QStringLiteral("snapshots"), wrongPassword}});
    AppModel model(test.platform());
    ASSERT_EQ(await(model.controller().configure()), BackupController::ConfigurationOutcome::configured);
    await(model.controller().prepareRepository());
    const QJsonObject status{{QStringLiteral("command"), QStringLiteral("status")}};
    auto answer = RemoteControl::handle(status, model, [] {});
    EXPECT_EQ(answer.value(QLatin1String("failure")).toString(),
              QStringLiteral("Repository password is incorrect."));
    EXPECT_EQ(answer.value(QLatin1String("lines")).toArray().first().toString(),
              QStringLiteral("Last backup failed"));

    fake.respond({{QStringLiteral("snapshots"), snapshotList.arg(test.home())}});
    await(model.controller().prepareRepository());
    answer = RemoteControl::handle(status, model, [] {});
    EXPECT_FALSE(answer.contains(QLatin1String("failure")));
}

TEST_F(CtlCommands, aFolderThatCannotBeListedIsAFailureNeverAnEmptyFolder) {
    const auto damaged = QStringLiteral(
        R"(echo '{"message_type":"exit_error","code":1,"message":"Fatal: reading tree 5e1f: ciphertext verification failed"}' >&2; exit 1)");
    fake.respond(
        {{QStringLiteral("snapshots"), snapshotList.arg(test.home())}, {QStringLiteral("ls"), damaged}});
    const auto sentence = QStringLiteral("reading tree 5e1f: ciphertext verification failed\n");
    auto result = run({QStringLiteral("ls"), QStringLiteral("abcdef01")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.error, sentence);

    result =
        run({QStringLiteral("restore"), QStringLiteral("abcdef01"), test.home() + QStringLiteral("/a.txt"),
             QStringLiteral("--to"), test.home() + QStringLiteral("/out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.error, sentence); // restic's reason, not "not in that folder of the backup"
    for (int call = 1; call <= fake.callCount(); ++call) {
        EXPECT_NE(fake.arguments(call).value(0), QStringLiteral("restore"));
    }
}

TEST_F(CtlCommands, aStatusWhoseBackupsCannotBeReadSaysWhyAndFails) {
    fake.respond({{QStringLiteral("snapshots"), wrongPassword}});
    const auto result = run({QStringLiteral("status")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.error.endsWith(QStringLiteral("Repository password is incorrect.\n")))
        << result.error.toStdString();

    // Unreachable storage is no failure of the status: what was last known is shown, and said to be so.
    fake.respond(
        {{QStringLiteral("snapshots"),
          QStringLiteral(
              R"(echo 'Fatal: unable to open config file: Stat: dial tcp: lookup s3.fr-par.scw.cloud: no such host' >&2; exit 1)")}});
    const auto offline = run({QStringLiteral("status")});
    EXPECT_EQ(offline.status, 0) << offline.error.toStdString();
    EXPECT_TRUE(offline.out.contains(QStringLiteral("Couldn't reach Scaleway just now.")))
        << offline.out.toStdString();
}

TEST_F(CtlCommands, listingsGiveUpAfterThirtySecondsAsUnreachable) {
    for (const auto& arguments : {QStringList{QStringLiteral("snapshots")},
                                  QStringList{QStringLiteral("ls"), QStringLiteral("abcdef01")}}) {
        FakeRestic silent;
        test.useFakeRestic(silent);
        silent.respond({{QStringLiteral("snapshots"), QStringLiteral("await_interrupt 1")}});
        CapturedOutput output;
        auto command = Commands::run(&test.platform(), arguments);
        ASSERT_TRUE(spinUntil([&] { return silent.isWaiting(1); }));
        test.clock.advance(29);
        QCoreApplication::processEvents();
        EXPECT_FALSE(command.isReady());
        test.clock.advance(1);
        const auto result = finish(std::move(command), output);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.error,
                  QStringLiteral("Couldn't reach Scaleway. Check your internet connection and try again.\n"));
        EXPECT_EQ(silent.interruptsReceived(1), 1);
    }
}

TEST_F(CtlCommands, aCtrlCInterruptsResticOnceWaitsAndCleansUp) {
    const auto documents = test.home() + QStringLiteral("/Documents");
    writeFile(documents + QStringLiteral("/a.txt"), "kept");
    fake.respond(
        {{QStringLiteral("snapshots"), snapshotList.arg(test.home())},
         {QStringLiteral("ls"),
          QStringLiteral(R"(echo '{"struct_type":"node","name":"a.txt","type":"file","path":"%1/a.txt"}')")
              .arg(documents)},
         {QStringLiteral("restore"), QStringLiteral("await_interrupt 130")}});
    CapturedOutput output;
    auto command = Commands::run(&test.platform(), {QStringLiteral("restore"), QStringLiteral("abcdef01"),
                                                    documents + QStringLiteral("/a.txt")});
    const int call = waitingCall(QStringLiteral("restore"));
    ASSERT_GT(call, 0);
    ::raise(SIGINT);
    const auto result = finish(std::move(command), output);
    EXPECT_EQ(result.status, 130);
    EXPECT_TRUE(result.error.contains(QStringLiteral("Stopping…"))) << result.error.toStdString();
    EXPECT_EQ(fake.interruptsReceived(call), 1);
    EXPECT_EQ(QDir(documents).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"a.txt"});

    // Listings end the same way.
    for (const auto& arguments : {QStringList{QStringLiteral("snapshots")},
                                  QStringList{QStringLiteral("ls"), QStringLiteral("abcdef01")}}) {
        FakeRestic waiting;
        test.useFakeRestic(waiting);
        waiting.respond({{QStringLiteral("snapshots"), QStringLiteral("await_interrupt 130")}});
        CapturedOutput listingOutput;
        auto listing = Commands::run(&test.platform(), arguments);
        ASSERT_TRUE(spinUntil([&] { return waiting.isWaiting(1); }));
        ::raise(SIGINT);
        const auto ended = finish(std::move(listing), listingOutput);
        EXPECT_EQ(ended.status, 130) << arguments.join(' ').toStdString();
        EXPECT_EQ(waiting.interruptsReceived(1), 1);
    }
    test.useFakeRestic(fake);

    // A status that waits on restic ends the same way.
    fake.respond({{QStringLiteral("snapshots"), QStringLiteral("await_interrupt 1")}});
    CapturedOutput statusOutput;
    auto status = Commands::run(&test.platform(), {QStringLiteral("status")});
    const int statusCall = waitingCall(QStringLiteral("snapshots"));
    ASSERT_GT(statusCall, 0);
    ::raise(SIGTERM);
    EXPECT_EQ(finish(std::move(status), statusOutput).status, 130);
    EXPECT_EQ(fake.interruptsReceived(statusCall), 1);
}

TEST_F(CtlCommands, argumentsThatLookLikeOptionsAreRefusedAndNamesPrintedEscaped) {
    auto result = run({QStringLiteral("ls"), QStringLiteral("abcdef01"), QStringLiteral("--"),
                       QStringLiteral("--password-command=touch /tmp/x")});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(
        result.error.contains(QStringLiteral("“--password-command=touch /tmp/x” looks like an option")))
        << result.error.toStdString();
    result =
        run({QStringLiteral("restore"), QStringLiteral("--"), QStringLiteral("-abc"), QStringLiteral("/x")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(fake.callCount(), 0);

    const auto hostile = QStringLiteral("\x1b]0;owned\x07\x1b[2Jname\u009b.txt");
    fake.respond(
        {{QStringLiteral("snapshots"), snapshotList.arg(test.home())},
         {QStringLiteral("ls"),
          QStringLiteral(
              R"(printf '%s\n' '{"struct_type":"node","name":"\u001b]0;owned\u0007\u001b[2Jname\u009b.txt","type":"file","path":"%1/\u001b]0;owned\u0007\u001b[2Jname\u009b.txt"}')")
              .arg(test.home())}});
    result = run({QStringLiteral("ls"), QStringLiteral("abcdef01")});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\\033]0;owned\\007\\033[2Jname\\302\\233.txt")))
        << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QChar(0x1b)));
    EXPECT_FALSE(result.out.contains(QChar(0x07)));
    EXPECT_FALSE(result.out.contains(QChar(0x9b)));
}

TEST_F(CtlCommands, aRuntimeFolderThatIsNotPrivateIsRefused) {
    const auto folder = test.platform().folders.runtime + QStringLiteral("/keldoran");
    ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0777), 0);
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    const auto result = run({QStringLiteral("snapshots")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("Keldoran's private folder ") + folder))
        << result.error.toStdString();
    EXPECT_EQ(fake.callCount(), 0);
}

// Through the running application, a locked keyring is said as such, never as "not set up".
TEST(RemoteControlReasons, aLockedKeyringIsNotASetupToDo) {
    TestPlatform test;
    AppModel model(test.platform());
    model.setBaseStatus(AppStatus::credentialsUnavailable());
    const auto answer =
        RemoteControl::handle({{QStringLiteral("command"), QStringLiteral("backup")}}, model, [] {});
    EXPECT_FALSE(answer.value(QLatin1String("ok")).toBool());
    EXPECT_EQ(answer.value(QLatin1String("message")).toString(),
              QStringLiteral("Couldn't read your saved credentials. Unlock your keyring and try again."));
}

// A running application answers keldoranctl in keldoranctl's language, whatever its own is.
TEST(RemoteControlReasons, areSaidInTheLanguageOfTheAsker) {
    TestPlatform test;
    AppModel model(test.platform());
    const InstalledTranslations german(QLocale(QLocale::German, QLocale::Germany));
    const auto resumed = [&](const QString& language) {
        QJsonObject request{{QStringLiteral("command"), QStringLiteral("resume")}};
        if (!language.isEmpty()) {
            request.insert(QStringLiteral("language"), language);
            request.insert(QStringLiteral("locale"), language);
        }
        return RemoteControl::handle(request, model, [] {}).value(QLatin1String("message")).toString();
    };
    QTranslator french;
    ASSERT_TRUE(french.load(QStringLiteral(":/i18n/keldoran_fr")));
    const auto inGerman = QCoreApplication::translate("RemoteControl", "Protection resumed.");
    EXPECT_NE(inGerman, QStringLiteral("Protection resumed."));
    EXPECT_EQ(resumed(QStringLiteral("en")), QStringLiteral("Protection resumed."));
    EXPECT_EQ(resumed(QStringLiteral("fr")), french.translate("RemoteControl", "Protection resumed."));
    EXPECT_EQ(resumed({}), inGerman); // an older keldoranctl that does not say
    // Once answered, this application speaks its own language again.
    EXPECT_EQ(QCoreApplication::translate("RemoteControl", "Protection resumed."), inGerman);
}

} // namespace keldoran
