// The real restic 0.18 on temporary local repositories.
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"
#include "restic/restore_selection.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/local_repository.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <unistd.h>

namespace keldoran {

namespace {

QStringList filesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.append(QDir(root).relativeFilePath(it.next()));
    }
    files.sort();
    return files;
}

QString snapshotOf(const QList<BackupEvent>& events) {
    for (const auto& event : events) {
        if (const auto* summary = std::get_if<BackupSummary>(&event)) {
            return summary->snapshotId.value_or(QString());
        }
    }
    return {};
}

ResticError::ExitStatus commandFailure(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& resticError) {
        if (resticError.exitStatus()) {
            return *resticError.exitStatus();
        }
        ADD_FAILURE() << resticError.what();
    } catch (const std::exception& other) {
        ADD_FAILURE() << other.what();
    }
    return {};
}

template <typename T> ResticError::ExitStatus commandFailure(QCoro::Task<T>&& task) {
    return commandFailure(failureOf(std::move(task)));
}

// The restic whose command line holds `marker` gets one SIGINT from outside, as a user's kill would.
bool interruptResticWith(const QString& marker) {
    for (const auto& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const auto commandLine = readFile(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (commandLine.contains(marker.toUtf8()) && commandLine.contains("restic")) {
            return ::kill(pid.toInt(), SIGINT) == 0;
        }
    }
    return false;
}

void writeRandomFile(const QString& path, qint64 size) {
    QFile random(QStringLiteral("/dev/urandom"));
    random.open(QIODevice::ReadOnly);
    writeFile(path, random.read(size));
}

} // namespace

TEST(RealRestic, backsUpListsAndMaintainsARepository) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/docs/a.txt"), "alpha");
    writeFile(source + QStringLiteral("/docs/sub/b.txt"), "beta");
    writeFile(source + QStringLiteral("/Photos [2019]/old.jpg"), "excluded by its literal name");
    writeFile(source + QStringLiteral("/Photos 2/new.jpg"), "kept: the unescaped pattern would match it");
    writeFile(source + QStringLiteral("/cache/CACHEDIR.TAG"), "Signature: 8a477f597d28d172789f06886806bc55");
    writeFile(source + QStringLiteral("/cache/blob"), "cached");
    const auto restic = repository.restic();

    const auto arguments =
        Restic::backupArguments({escapeGlob(source + QStringLiteral("/Photos [2019]"))}, 1024, {source});
    const auto events = await(collect(restic.backup(arguments)));
    ASSERT_FALSE(events.isEmpty());
    const auto snapshot = snapshotOf(events);
    ASSERT_FALSE(snapshot.isEmpty());

    const auto snapshots = await(restic.snapshots());
    ASSERT_EQ(snapshots.size(), 1);
    EXPECT_EQ(snapshots[0].id, snapshot);
    EXPECT_EQ(snapshots[0].paths, QStringList{source});
    ASSERT_TRUE(snapshots[0].summary);
    EXPECT_EQ(snapshots[0].summary->totalFilesProcessed, 4u); // a, b, new.jpg, CACHEDIR.TAG

    // `ls DIR` lists the folder itself and its direct children only.
    QStringList paths;
    for (const auto& entry : await(restic.ls(snapshot, {source + QStringLiteral("/docs")}))) {
        paths.append(entry.path);
    }
    paths.sort();
    EXPECT_EQ(paths, (QStringList{source + "/docs", source + "/docs/a.txt", source + "/docs/sub"}));
    EXPECT_TRUE(await(restic.ls(snapshot, {source + QStringLiteral("/missing")})).isEmpty());
    QStringList names;
    for (const auto& entry : await(restic.ls(snapshot, {source}))) {
        names.append(entry.name);
    }
    EXPECT_TRUE(names.contains(QStringLiteral("Photos 2")));
    EXPECT_FALSE(names.contains(QStringLiteral("Photos [2019]")));
    EXPECT_EQ(await(restic.ls(snapshot, {source + QStringLiteral("/cache")})).size(),
              2); // the folder and its tag

    const auto restoreSize = await(restic.stats(StatsMode::restoreSize, QStringLiteral("latest")));
    EXPECT_EQ(restoreSize.snapshotsCount, 1u);
    EXPECT_GT(restoreSize.totalSize, 0u);
    EXPECT_GT(await(restic.stats(StatsMode::rawData)).totalSize, 0u);
    await(restic.catConfig());

    writeFile(source + QStringLiteral("/docs/c.txt"), "gamma");
    await(collect(restic.backup(arguments)));
    await(restic.forget(RetentionPolicy::standard(), true));
    EXPECT_EQ(await(restic.snapshots()).size(), 2);
    await(restic.check());
    await(restic.cleanupCache());
}

// Names, modes and keep-both are the property test's (restore/restore_property_test.cpp); this is the
// command layer's own reach: items of several folders keep their full paths, and a pattern matching
// nothing restores nothing without failing.
TEST(RealRestic, restoresItemsOfSeveralFoldersWithTheirPaths) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("src"));
    const auto docs = source + QStringLiteral("/docs");
    writeFile(docs + QStringLiteral("/notes"), "snapshot notes");
    writeFile(docs + QStringLiteral("/sub/b.txt"), "snapshot b");
    const auto restic = repository.restic();
    const auto snapshot =
        snapshotOf(await(collect(restic.backup(Restic::backupArguments({}, std::nullopt, {source})))));
    ASSERT_FALSE(snapshot.isEmpty());

    const auto spread = repository.scratch(QStringLiteral("spread"));
    await(collect(restic.restore(snapshot, {docs + "/sub/b.txt", docs + "/notes"}, spread)));
    EXPECT_EQ(filesBelow(spread),
              (QStringList{QString(docs + "/notes").mid(1), QString(docs + "/sub/b.txt").mid(1)}));

    const auto nothing = repository.scratch(QStringLiteral("nothing"));
    await(collect(restic.restore(snapshot, {docs + "/no such file"}, nothing)));
    EXPECT_TRUE(filesBelow(nothing).isEmpty());
}

TEST(RealRestic, reportsResticsOwnExitCodes) {
    LocalRepository missing;
    EXPECT_EQ(commandFailure(missing.restic().catConfig()).code, 10);

    LocalRepository repository;
    repository.initialise();
    EXPECT_EQ(commandFailure(repository.restic(QStringLiteral("wrong password")).catConfig()).code, 12);

    // `key passwd` takes the exclusive lock and then waits for the new password on its open stdin.
    QProcess holder;
    auto environment = repository.process().environment();
    holder.setProcessEnvironment(environment);
    holder.start(realRestic().path, {QStringLiteral("key"), QStringLiteral("passwd")});
    ASSERT_TRUE(
        spinUntil([&] { return !QDir(repository.path() + QStringLiteral("/locks")).isEmpty(QDir::Files); }));
    const auto restic = repository.restic();
    const auto lock = commandFailure(restic.forget(RetentionPolicy::standard(), false));
    EXPECT_EQ(lock.code, 11);
    EXPECT_TRUE(lock.stderrText.contains(QStringLiteral("locked exclusively")));
    EXPECT_EQ(commandFailure(restic.snapshots()).code, 11);
    holder.kill();
    holder.waitForFinished();
}

TEST(RealRestic, anUnreadableFileEndsTheBackupWithExit3AndASnapshot) {
    QTemporaryDir root;
    ::chmod(QFile::encodeName(root.path()).constData(), 0755);
    const auto shared = root.filePath(QStringLiteral("shared"));
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 0777);
    const auto source = root.filePath(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/readable.txt"), "fine");
    writeFile(source + QStringLiteral("/secret.txt"), "unreadable");
    ::chmod(QFile::encodeName(source + QStringLiteral("/secret.txt")).constData(), 0);

    // As root every file is readable: run restic as the unprivileged user "nobody" instead.
    auto binary = realRestic();
    if (::geteuid() == 0) {
        const auto wrapper = root.filePath(QStringLiteral("bin/restic"));
        writeFile(wrapper, "#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 --clear-groups '" +
                               QFile::encodeName(binary.path) + "' \"$@\"\n");
        QFile(wrapper).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
        binary.path = wrapper;
    }
    ResticRepository repository;
    repository.location = shared + QStringLiteral("/repository");
    repository.password = ResticRepository::PasswordValue{QStringLiteral("test-password-1")};
    const Restic restic(ResticProcess(
        binary, repository, ResticProcess::Context{QProcessEnvironment::systemEnvironment(), shared}));
    await(restic.initRepository());

    std::exception_ptr error;
    const auto events =
        await(collect(restic.backup(Restic::backupArguments({}, std::nullopt, {source})), &error));
    const auto status = commandFailure(error);
    EXPECT_EQ(status.code, 3);
    EXPECT_TRUE(status.stderrText.contains(QStringLiteral("secret.txt: permission denied")));
    EXPECT_FALSE(snapshotOf(events).isEmpty()); // the snapshot was made all the same
}

TEST(RealRestic, interruptionsAndCancellation) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("big"));
    for (int i = 0; i < 40; ++i) {
        writeRandomFile(source + QStringLiteral("/file-%1.bin").arg(i), 2 * 1024 * 1024);
    }
    const auto restic = repository.restic();
    const auto backup = await(collect(restic.backup(Restic::backupArguments({}, std::nullopt, {source}))));
    const auto snapshot = snapshotOf(backup);
    ASSERT_FALSE(snapshot.isEmpty());
    // 80 MB takes long enough for restic to report progress before its summary.
    EXPECT_TRUE(std::any_of(backup.begin(), backup.end(), [](const BackupEvent& event) {
        return std::holds_alternative<BackupStatus>(event);
    }));
    EXPECT_TRUE(std::holds_alternative<BackupSummary>(backup.last()));

    // A restore interrupted from outside exits 130.
    const auto target = repository.scratch(QStringLiteral("restore-target"));
    auto interruptOnFirstEvent = [](Restic restic, QString snapshot,
                                    QString target) -> QCoro::Task<std::optional<ResticError::ExitStatus>> {
        bool interrupted = false;
        try {
            auto events = restic.restore(snapshot, {}, target);
            QCORO_FOREACH(const RestoreEvent& event, events) {
                Q_UNUSED(event);
                if (!interrupted) {
                    interrupted = interruptResticWith(target);
                }
            }
        } catch (const ResticError& error) {
            co_return error.exitStatus();
        }
        co_return std::nullopt;
    };
    const auto restoreFailure = await(interruptOnFirstEvent(restic, snapshot, target));
    ASSERT_TRUE(restoreFailure) << "the restore finished before it could be interrupted";
    EXPECT_EQ(restoreFailure->code, 130);
    EXPECT_EQ(ResticError::commandFailed(*restoreFailure).restoreFailureMessage(),
              QStringLiteral("Restore was cancelled."));

    // A backup cancelled through its stop token ends as a cancellation, and the repository stays sound.
    writeRandomFile(source + QStringLiteral("/changed.bin"), 8 * 1024 * 1024);
    std::stop_source stop;
    auto cancelOnFirstStatus = [](Restic restic, QStringList arguments,
                                  std::stop_source* stop) -> QCoro::Task<bool> {
        try {
            auto events = restic.backup(arguments, stop->get_token());
            QCORO_FOREACH(const BackupEvent& event, events) {
                Q_UNUSED(event);
                stop->request_stop();
            }
        } catch (const OperationCancelled&) {
            co_return true;
        }
        co_return false;
    };
    QStringList arguments = Restic::backupArguments({}, std::nullopt, {source});
    arguments.insert(1, QStringLiteral("--force")); // re-read every file so the backup lasts
    EXPECT_TRUE(await(cancelOnFirstStatus(restic, arguments, &stop)));
    await(restic.check());
}

// Snapshot ids, paths and restore folders that read as options never become restic's options.
TEST(RealRestic, namesThatLookLikeOptionsStayNames) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("source"));
    const auto marker = repository.scratch(QStringLiteral("markers")) + QStringLiteral("/ran");
    writeFile(source + QStringLiteral("/--password-command=touch ") + QStringLiteral("x"), "odd name");
    const auto restic = repository.restic();
    const auto snapshot =
        snapshotOf(await(collect(restic.backup(Restic::backupArguments({}, std::nullopt, {source})))));
    ASSERT_FALSE(snapshot.isEmpty());
    const auto injected = QStringLiteral("--password-command=touch ") + marker;

    // Read as a path filter, which must be absolute; never as an option.
    EXPECT_TRUE(
        commandFailure(restic.ls(snapshot, {injected})).stderrText.contains(QStringLiteral("path filters")));
    EXPECT_NE(commandFailure(restic.ls(injected, {source})).code, 0);
    std::exception_ptr error;
    await(collect(
        restic.restore(injected, {source + QStringLiteral("/a")}, repository.scratch(QStringLiteral("t"))),
        &error));
    EXPECT_TRUE(error);
    error = {};
    await(collect(restic.backup(Restic::backupArguments({injected}, std::nullopt, {injected})), &error));
    EXPECT_TRUE(error);
    EXPECT_FALSE(QFileInfo::exists(marker));
}

} // namespace keldoran
