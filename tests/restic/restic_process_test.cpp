#include "restic/child_process.h"
#include "restic/operation_cancelled.h"
#include "restic/process_exit_signal.h"
#include "restic/restic_error.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <sys/wait.h>
#include <thread>

namespace keldoran {

namespace {

template <typename Exception, typename T> Exception expectThrown(QCoro::Task<T>&& task) {
    const auto error = failureOf(std::move(task));
    try {
        if (error) {
            std::rethrow_exception(error);
        }
    } catch (const Exception& expected) {
        return expected;
    } catch (const std::exception& other) {
        ADD_FAILURE() << "unexpected error: " << other.what();
        throw;
    }
    ADD_FAILURE() << "the task did not fail";
    throw std::logic_error("no failure");
}

ResticError::ExitStatus exitStatusOf(QCoro::Task<QByteArray>&& task) {
    const auto error = expectThrown<ResticError>(std::move(task));
    EXPECT_EQ(error.errorCase(), ResticError::Case::commandFailed);
    return error.exitStatus().value_or(ResticError::ExitStatus{});
}

} // namespace

TEST(ResticProcess, composesTheEnvironmentAndPassesArgumentsUnchanged) {
    FakeRestic fake;
    auto inherited = QProcessEnvironment::systemEnvironment();
    inherited.insert(QStringLiteral("KELDORAN_INHERITED"), QStringLiteral("kept"));
    inherited.insert(QStringLiteral("RESTIC_PASSWORD_FILE"), QStringLiteral("/tmp/other-password"));
    inherited.insert(QStringLiteral("RESTIC_PASSWORD_COMMAND"), QStringLiteral("echo other"));
    inherited.insert(QStringLiteral("RESTIC_REPOSITORY_FILE"), QStringLiteral("/tmp/other-repository"));
    inherited.insert(QStringLiteral("RESTIC_REPOSITORY"), QStringLiteral("/tmp/wrong"));
    inherited.insert(QStringLiteral("RESTIC_CACHE_DIR"), QStringLiteral("/tmp/inherited-cache"));
    const QStringList arguments{QStringLiteral("snapshots"), QStringLiteral("--json"), QString(),
                                QStringLiteral("two words"), QStringLiteral("Ünïcode ✓")};

    await(fake.process(FakeRestic::testRepository(), inherited).run(arguments));

    EXPECT_EQ(fake.arguments(1), arguments);
    const auto environment = fake.environment(1);
    EXPECT_EQ(environment.value("KELDORAN_INHERITED"), QStringLiteral("kept"));
    EXPECT_EQ(environment.value("RESTIC_REPOSITORY"),
              QStringLiteral("s3:https://s3.fr-par.scw.cloud/backups"));
    EXPECT_EQ(environment.value("RESTIC_PASSWORD"), QStringLiteral("repository password"));
    EXPECT_EQ(environment.value("AWS_ACCESS_KEY_ID"), QStringLiteral("AKIATEST"));
    EXPECT_EQ(environment.value("AWS_SECRET_ACCESS_KEY"), QStringLiteral("secret-key"));
    EXPECT_EQ(environment.value("AWS_DEFAULT_REGION"), QStringLiteral("fr-par"));
    EXPECT_TRUE(environment.value("RESTIC_CACHE_DIR").endsWith(QStringLiteral("/cache/restic")));
    for (const char* removed :
         {"RESTIC_PASSWORD_FILE", "RESTIC_PASSWORD_COMMAND", "RESTIC_REPOSITORY_FILE"}) {
        EXPECT_FALSE(environment.contains(QString::fromLatin1(removed))) << removed;
    }
    for (const auto& argument : fake.arguments(1)) {
        EXPECT_FALSE(argument.contains(QStringLiteral("secret-key")) ||
                     argument.contains(QStringLiteral("password")));
    }

    // Without a caches folder the inherited value stays; a file password replaces the value form.
    ResticRepository repository = FakeRestic::testRepository();
    repository.password = ResticRepository::PasswordFile{QStringLiteral("/run/keys/pw")};
    await(fake.process(repository, inherited, false).run({}));
    EXPECT_EQ(fake.environment(2).value("RESTIC_CACHE_DIR"), QStringLiteral("/tmp/inherited-cache"));
    EXPECT_EQ(fake.environment(2).value("RESTIC_PASSWORD_FILE"), QStringLiteral("/run/keys/pw"));
    EXPECT_FALSE(fake.environment(2).contains(QStringLiteral("RESTIC_PASSWORD")));

    // A repository's options follow the command word, on streamed commands too.
    repository.options = {QStringLiteral("-o"), QStringLiteral("s3.bucket-lookup=path")};
    await(fake.process(repository).run(arguments));
    EXPECT_EQ(fake.arguments(3), QStringList{arguments[0]} + repository.options + arguments.mid(1));
    await(collect(fake.process(repository).streamLines({QStringLiteral("ls"), QStringLiteral("--")})));
    EXPECT_EQ(fake.arguments(4), (QStringList{"ls", "-o", "s3.bucket-lookup=path", "--"}));
}

TEST(ResticProcess, standardInputIsTheNullDevice) {
    FakeRestic fake;
    // With an open pipe this read would block until the test's time-out.
    fake.defaultStep(QStringLiteral(
        "readlink /proc/self/fd/0; if read -r line; then echo \"read:$line\"; else echo eof; fi"));
    EXPECT_EQ(await(fake.process().run({})), QByteArray("/dev/null\neof\n"));
}

TEST(ResticProcess, runReturnsStandardOutputOrTheFailureWithItsStandardError) {
    FakeRestic fake;
    fake.step(1, QStringLiteral("echo '{\"ok\":true}'; echo 'a warning' >&2"));
    fake.step(2, QStringLiteral("echo 'lost output'; echo 'Fatal: broken' >&2; exit 3"));
    fake.step(3, QStringLiteral("printf 'bad \\xff\\xfe end' >&2; exit 1"));
    fake.step(4, QStringLiteral("kill -KILL $$"));
    const auto process = fake.process();

    EXPECT_EQ(await(process.run({})), QByteArray("{\"ok\":true}\n"));
    const auto failure = exitStatusOf(process.run({}));
    EXPECT_EQ(failure.code, 3);
    EXPECT_EQ(failure.stderrText, QStringLiteral("Fatal: broken\n"));
    EXPECT_EQ(exitStatusOf(process.run({})).stderrText, QStringLiteral("bad \uFFFD\uFFFD end\n"));
    // A process killed by a signal reports the signal, not an exit code.
    EXPECT_EQ(exitStatusOf(process.run({})).signal, 9);
}

TEST(ResticProcess, drainsBothPipesWhileTheProcessRuns) {
    FakeRestic fake;
    // Far more than a pipe buffer on each stream, standard error first: a reader that waited for the
    // process to end before draining it would deadlock here.
    fake.defaultStep(
        QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' e >&2; head -c 3000000 /dev/zero | tr '\\0' o; "
                       "head -c 300000 /dev/zero | tr '\\0' e >&2; exit 4"));
    const auto status = exitStatusOf(fake.process().run({}));
    EXPECT_EQ(status.code, 4);
    // One line without end: its first part is kept, within the tail's bound.
    EXPECT_EQ(status.stderrText.size(), ChildProcess::errorTailBytes);

    fake.defaultStep(
        QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' e >&2; head -c 2000000 /dev/zero | tr '\\0' o"));
    EXPECT_EQ(await(fake.process().run({})).size(), 2000000);
    fake.defaultStep(QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' e >&2; yes line | head -n 200000"));
    EXPECT_EQ(await(collect(fake.process().streamLines({}))).size(), 200000);
}

// A program restic starts (a password command) may keep its output open after restic has exited: the run
// ends with restic, with all restic wrote, and does not wait for the stranger.
TEST(ResticProcess, endsWithResticEvenWhenAChildOfItsKeepsTheOutputOpen) {
    FakeRestic fake;
    fake.defaultStep(QStringLiteral("echo kept; sleep 30 & echo $! > \"$dir/straggler\"; exit 0"));
    EXPECT_EQ(await(fake.process().run({})), QByteArray("kept\n"));
    const auto straggler = readFile(fake.planDirectory() + QStringLiteral("/straggler")).trimmed().toInt();
    ASSERT_GT(straggler, 0);
    EXPECT_EQ(::kill(straggler, 0), 0) << "the run waited for the straggler to end";
    ::kill(straggler, SIGKILL);
    // Orphaned, it may have become our child (the test runner reaps orphans): reap it, or wait for init to.
    EXPECT_TRUE(spinUntil(
        [&] { return ::waitpid(straggler, nullptr, WNOHANG) == straggler || ::kill(straggler, 0) != 0; }));
}

TEST(ResticProcess, aMissingOrUnrunnableExecutableFailsToLaunch) {
    const auto missing = expectThrown<ResticError>(
        ResticProcess(ResticBinary{QStringLiteral("/nonexistent/restic")}, FakeRestic::testRepository())
            .run({}));
    EXPECT_EQ(missing.errorCase(), ResticError::Case::launchFailed);
    EXPECT_TRUE(missing.description().startsWith(QStringLiteral("restic could not be launched: ")));

    std::exception_ptr error;
    const auto lines = await(
        collect(ResticProcess(ResticBinary{QStringLiteral("/etc/hostname")}, FakeRestic::testRepository())
                    .streamLines({}),
                &error));
    EXPECT_TRUE(lines.isEmpty());
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& launch) {
        EXPECT_EQ(launch.errorCase(), ResticError::Case::launchFailed);
    }
}

TEST(ResticProcess, cancellingARunSendsOneInterruptAndWaitsForTheExit) {
    FakeRestic fake;
    // restic exits 0 after the interrupt: the caller still gets the cancellation.
    fake.defaultStep(QStringLiteral("echo started; await_interrupt 0"));
    std::stop_source stop;
    auto task = fake.process().run({}, stop.get_token());
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(1); }));
    stop.request_stop();
    stop.request_stop();
    expectThrown<OperationCancelled>(std::move(task));
    EXPECT_EQ(fake.interruptsReceived(1), 1);

    // A stop requested from another thread reaches the process too.
    std::stop_source other;
    auto second = fake.process().run({}, other.get_token());
    ASSERT_TRUE(spinUntil([&] { return fake.isWaiting(2); }));
    std::thread([&] { other.request_stop(); }).join();
    expectThrown<OperationCancelled>(std::move(second));
    EXPECT_EQ(fake.interruptsReceived(2), 1);
}

TEST(ResticProcess, aRunCancelledBeforeItStartsStartsNoRestic) {
    FakeRestic fake;
    // Only the interrupt ends this restic, however early it comes: one lost to a race would hang here.
    fake.defaultStep(QStringLiteral("await_interrupt 1"));
    for (int run = 0; run < 20; ++run) {
        std::stop_source stop;
        stop.request_stop();
        expectThrown<OperationCancelled>(fake.process().run({}, stop.get_token()));
    }
    const auto error = failureOf(collect(fake.process().streamLines({QStringLiteral("backup")}, [] {
        std::stop_source stopped;
        stopped.request_stop();
        return stopped.get_token();
    }())));
    EXPECT_TRUE(error);
    EXPECT_EQ(fake.callCount(), 0);
}

TEST(ResticProcess, backupPruneAndCheckYieldTheDiskToTheDesktopButARestoreDoesNot) {
    FakeRestic fake;
    fake.defaultStep(QStringLiteral("echo \"$(ionice -p $$) nice $(ps -o ni= -p $$ | tr -d ' ')\""));
    for (const char* command : {"backup", "forget", "prune", "check"}) {
        EXPECT_EQ(await(fake.process().run({QLatin1String(command)})), QByteArray("idle nice 10\n"))
            << command;
    }
    for (const char* command : {"restore", "snapshots", "ls"}) {
        EXPECT_FALSE(await(fake.process().run({QLatin1String(command)})).startsWith("idle")) << command;
    }
    const auto lines = await(collect(fake.process().streamLines({QStringLiteral("backup")})));
    EXPECT_EQ(lines, QList<QByteArray>{QByteArray("idle nice 10")});
}

TEST(ResticProcess, streamsLinesLiveAndStopsDeliveringOnCancellation) {
    FakeRestic fake;
    // The trap comes first: the consumer may interrupt as soon as it sees the lines.
    fake.defaultStep(QStringLiteral("trap 'echo INT >> \"$dir/call-$n.signals\"; echo late; exit 0' INT; "
                                    "printf 'one\\r\\ntwo\\n\\nthree'; echo; "
                                    "while :; do sleep 0.02 & wait $!; done"));
    std::stop_source stop;
    QList<QByteArray> received;
    bool cancelled = false;
    auto consume = [](ResticProcess process, std::stop_source* stop, QList<QByteArray>* received,
                      bool* cancelled) -> QCoro::Task<void> {
        try {
            auto lines = process.streamLines({}, stop->get_token());
            QCORO_FOREACH(const QByteArray& line, lines) {
                received->append(line);
                if (line == "three") {
                    stop->request_stop(); // before restic has ended: the lines arrived live
                }
            }
        } catch (const OperationCancelled&) {
            *cancelled = true;
        }
    };
    await(consume(fake.process(), &stop, &received, &cancelled));
    EXPECT_EQ(received, (QList<QByteArray>{"one", "two", "", "three"}));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(fake.interruptsReceived(1), 1);
}

TEST(ResticProcess, aStreamEndsWithTheExitStatus) {
    FakeRestic fake;
    fake.step(1, QStringLiteral("echo a; echo 'warning' >&2; printf tail"));
    fake.step(2, QStringLiteral("echo a; echo b; echo 'Fatal: gone' >&2; exit 3"));
    const auto process = fake.process();
    EXPECT_EQ(await(collect(process.streamLines({}))), (QList<QByteArray>{"a", "tail"}));

    std::exception_ptr error;
    EXPECT_EQ(await(collect(process.streamLines({}), &error)), (QList<QByteArray>{"a", "b"}));
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& failure) {
        ASSERT_TRUE(failure.exitStatus());
        EXPECT_EQ(failure.exitStatus()->code, 3);
        EXPECT_EQ(failure.exitStatus()->stderrText, QStringLiteral("Fatal: gone\n"));
    }
}

TEST(ResticProcess, droppingAStreamInterruptsRestic) {
    FakeRestic fake;
    fake.defaultStep(
        QStringLiteral("trap \"echo INT >> '$dir/call-$n.signals'\" INT; echo first; await_interrupt 130"));
    auto takeOne = [](ResticProcess process) -> QCoro::Task<QByteArray> {
        auto lines = process.streamLines({});
        auto it = co_await lines.begin();
        co_return *it;
    };
    EXPECT_EQ(await(takeOne(fake.process())), QByteArray("first"));
    EXPECT_TRUE(spinUntil([&] { return fake.interruptsReceived(1) == 1; }));
}

TEST(ProcessExitSignal, deliversAStatusThatArrivedBeforeTheWait) {
    ProcessExitSignal early;
    early.exited(ProcessEnd{7, {}});
    auto waitFor = [](ProcessExitSignal* signal) -> QCoro::Task<int> {
        const auto end = co_await signal->wait();
        co_return end.code;
    };
    EXPECT_EQ(await(waitFor(&early)), 7);

    ProcessExitSignal late;
    auto waiting = waitFor(&late);
    EXPECT_FALSE(waiting.isReady());
    late.exited(ProcessEnd{3, {}});
    EXPECT_TRUE(waiting.isReady());
    EXPECT_EQ(await(std::move(waiting)), 3);
}

// A restic that a signal ended failed: it is never a partial success, a lock, a password, a cancellation.
TEST(ResticProcess, aResticEndedByASignalIsAFailureNamingTheSignal) {
    for (const int signal : {SIGQUIT, SIGSEGV, SIGUSR2, SIGKILL}) {
        FakeRestic fake;
        fake.defaultStep(
            QStringLiteral("ulimit -c 0; exec /usr/bin/python3 -c 'import os; os.kill(os.getpid(), %1)'")
                .arg(signal));
        const auto status = exitStatusOf(fake.process().run({QStringLiteral("snapshots")}));
        EXPECT_EQ(status.signal, signal);
        EXPECT_EQ(status.kind(), ResticError::Kind::killedBySignal) << signal;
        const auto error = ResticError::commandFailed(status);
        const auto sentence = QStringLiteral("restic stopped unexpectedly (signal %1).").arg(signal);
        EXPECT_EQ(error.backupFailureMessage(), sentence);
        EXPECT_EQ(error.restoreFailureMessage(), sentence);
        EXPECT_EQ(error.logDescription(), QStringLiteral("signal(%1)").arg(signal));
    }
}

// Only what we set reaches restic of the RESTIC_ and AWS_ variables; certificates and proxies pass.
TEST(ResticProcess, inheritedResticAndAwsVariablesAreStripped) {
    FakeRestic fake;
    auto inherited = QProcessEnvironment::systemEnvironment();
    const QStringList foreign{
        "AWS_SESSION_TOKEN",  "AWS_PROFILE",      "AWS_CONFIG_FILE",       "AWS_SHARED_CREDENTIALS_FILE",
        "RESTIC_CACERT",      "RESTIC_HOST",      "RESTIC_KEY_HINT",       "RESTIC_FEATURES",
        "RESTIC_COMPRESSION", "RESTIC_PACK_SIZE", "RESTIC_TLS_CLIENT_CERT"};
    for (const auto& name : foreign) {
        inherited.insert(name, QStringLiteral("inherited"));
    }
    const QStringList kept{"SSL_CERT_FILE", "SSL_CERT_DIR", "HTTPS_PROXY",
                           "https_proxy",   "HTTP_PROXY",   "NO_PROXY"};
    for (const auto& name : kept) {
        inherited.insert(name, QStringLiteral("kept"));
    }
    inherited.insert(QStringLiteral("AWS_ACCESS_KEY_ID"), QStringLiteral("someone else's"));

    await(fake.process(FakeRestic::testRepository(), inherited).run({}));

    const auto environment = fake.environment(1);
    for (const auto& name : foreign) {
        EXPECT_FALSE(environment.contains(name)) << name.toStdString();
    }
    for (const auto& name : kept) {
        EXPECT_EQ(environment.value(name), QStringLiteral("kept")) << name.toStdString();
    }
    EXPECT_EQ(environment.value(QStringLiteral("AWS_ACCESS_KEY_ID")), QStringLiteral("AKIATEST"));
    for (auto it = environment.cbegin(); it != environment.cend(); ++it) {
        EXPECT_NE(it.value(), QStringLiteral("inherited")) << it.key().toStdString();
    }
}

// What a run keeps of restic's output is bounded, whatever restic prints.
TEST(ResticProcess, keepsABoundedTailOfStandardErrorWithItsJsonRecords) {
    FakeRestic fake;
    fake.defaultStep(QStringLiteral(
        "echo "
        "'{\"message_type\":\"error\",\"error\":{\"message\":\"first\"},\"during\":\"scan\",\"item\":\"/"
        "a\"}' >&2; "
        "yes 'retrying after 678ms: dial tcp: connection refused' | head -c 8000000 >&2; "
        "printf 'no line end %.0s' $(seq 1 20000) >&2; echo >&2; "
        "echo 'the last plain line' >&2; "
        "echo '{\"message_type\":\"exit_error\",\"code\":1,\"message\":\"Fatal: the reason\"}' >&2; exit 1"));
    const auto status = exitStatusOf(fake.process().run({}));
    EXPECT_LE(status.stderrText.toUtf8().size(), ChildProcess::errorTailBytes + 1024);
    EXPECT_TRUE(status.stderrText.contains(QStringLiteral("\"item\":\"/a\"")));
    EXPECT_TRUE(status.stderrText.contains(QStringLiteral("the last plain line")));
    EXPECT_EQ(resticFatalMessage(status.stderrText), QStringLiteral("the reason"));
}

TEST(ResticProcess, linesNotTakenYetStayBoundedTheChildWaitsForItsReader) {
    // 64 MiB of lines, then a mark the child leaves only once all of them were read from its pipe.
    const auto mark =
        QDir::temp().filePath(QStringLiteral("keldoran-lines-%1").arg(QCoreApplication::applicationPid()));
    QFile::remove(mark);
    const auto script = QStringLiteral("yes '%2' | head -c 67108864; touch '%1'")
                            .arg(mark, QString(31, QLatin1Char('a'))); // 32 bytes a line, 2^21 lines
    auto child = ChildProcess::start(
        {QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, QProcessEnvironment::systemEnvironment()},
        ChildProcess::Output::lines);
    ASSERT_TRUE(spinUntil([&] { return child->isOutputHeld(); }));
    // Held, the child cannot have written everything, and what is queued stays near the limit.
    EXPECT_FALSE(QFile::exists(mark));
    EXPECT_LE(child->queuedLineBytes(), ChildProcess::maximumQueuedLineBytes + 8 * 1024 * 1024);
    qsizetype taken = 0;
    qsizetype largestQueue = 0;
    while (!child->isDone() || child->hasLine()) {
        while (child->hasLine()) {
            taken += child->takeLine().size() + 1;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        largestQueue = std::max(largestQueue, child->queuedLineBytes());
    }
    EXPECT_EQ(taken, 67108864);
    EXPECT_LE(largestQueue, ChildProcess::maximumQueuedLineBytes + 8 * 1024 * 1024);
    EXPECT_TRUE(QFile::exists(mark));
    QFile::remove(mark);
}

TEST(ResticProcess, aWholeOutputBeyondItsLimitInterruptsResticAndFailsClearly) {
    FakeRestic fake;
    fake.defaultStep(
        QStringLiteral("trap 'echo INT >> \"$dir/call-$n.signals\"; exit 130' INT; "
                       "yes '[{\"id\":\"0123456789abcdef\"},' | head -c 40000000; sleep 5 & wait $!"));
    const auto error = expectThrown<ResticError>(fake.process().run({QStringLiteral("snapshots")}));
    EXPECT_EQ(error.errorCase(), ResticError::Case::decodingFailed);
    EXPECT_TRUE(error.description().contains(QStringLiteral("larger than 16 MiB"))) << error.what();
    EXPECT_EQ(fake.interruptsReceived(1), 1);

    // A line without end is cut at its limit; the lines after it come whole.
    fake.defaultStep(QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' x; echo; echo after"));
    const auto lines = await(collect(fake.process().streamLines({})));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), ChildProcess::maximumLineBytes);
    EXPECT_EQ(lines[1], QByteArray("after"));
}

} // namespace keldoran
