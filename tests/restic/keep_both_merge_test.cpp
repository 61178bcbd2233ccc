#include "restic/keep_both_merge.h"
#include "support/local_repository.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {
QByteArray linkText(const QString& path) {
    char buffer[4096];
    const auto length = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return length < 0 ? QByteArray() : QByteArray(buffer, length);
}

dev_t deviceOf(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_dev;
}
} // namespace

TEST(KeepBothMerge, namesCollisionsAfterTheOriginal) {
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/report.pdf"), 0), QStringLiteral("/d/report.pdf"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/report.pdf"), 1), QStringLiteral("/d/report (restored).pdf"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/report.pdf"), 2), QStringLiteral("/d/report (restored 2).pdf"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/notes"), 1), QStringLiteral("/d/notes (restored)"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/Makefile"), 3), QStringLiteral("/d/Makefile (restored 3)"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/.profile"), 1), QStringLiteral("/d/.profile (restored)"));
    EXPECT_EQ(KeepBothMerge::candidateName(QStringLiteral("/d/a.tar.gz"), 1), QStringLiteral("/d/a.tar (restored).gz"));
}

TEST(KeepBothMerge, mergesFilesAndLinksUnderFreeNamesWithoutTouchingExistingOnes) {
    QTemporaryDir root;
    const auto destination = root.filePath(QStringLiteral("destination"));
    const auto staging = KeepBothMerge::createStagingFolder(destination);
    // The destination does not exist yet: staging sits in its nearest existing ancestor.
    EXPECT_EQ(QFileInfo(staging).absolutePath(), root.path());
    const auto name = QFileInfo(staging).fileName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("keldoran-restore-")));
    const auto uuid = name.mid(int(strlen("keldoran-restore-")));
    EXPECT_EQ(uuid.size(), 36);
    EXPECT_EQ(uuid, uuid.toUpper());

    writeFile(staging + QStringLiteral("/a.txt"), "snapshot a");
    writeFile(staging + QStringLiteral("/sub/b.txt"), "snapshot b");
    writeFile(staging + QStringLiteral("/notes"), "snapshot notes");
    QDir().mkpath(staging + QStringLiteral("/empty"));
    QFile::link(QStringLiteral("sub"), staging + QStringLiteral("/link-to-folder"));
    ::chmod(QFile::encodeName(staging + QStringLiteral("/sub")).constData(), 0500);

    writeFile(destination + QStringLiteral("/a.txt"), "mine");
    writeFile(destination + QStringLiteral("/a (restored).txt"), "mine too");
    writeFile(destination + QStringLiteral("/notes"), "my notes");

    KeepBothMerge::merge(staging, destination);
    KeepBothMerge::removeStagingFolder(staging);

    EXPECT_EQ(readFile(destination + QStringLiteral("/a.txt")), QByteArray("mine"));
    EXPECT_EQ(readFile(destination + QStringLiteral("/a (restored).txt")), QByteArray("mine too"));
    EXPECT_EQ(readFile(destination + QStringLiteral("/a (restored 2).txt")), QByteArray("snapshot a"));
    EXPECT_EQ(readFile(destination + QStringLiteral("/notes (restored)")), QByteArray("snapshot notes"));
    EXPECT_EQ(readFile(destination + QStringLiteral("/sub/b.txt")), QByteArray("snapshot b"));
    EXPECT_FALSE(QFileInfo::exists(destination + QStringLiteral("/empty")));
    EXPECT_EQ(linkText(destination + QStringLiteral("/link-to-folder")), QByteArray("sub"));
    EXPECT_FALSE(QFileInfo::exists(staging));
}

TEST(KeepBothMerge, movesAcrossFilesystemsByCopyKeepingModeAndTimes) {
    if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        GTEST_SKIP() << "no /dev/shm";
    }
    QTemporaryDir memory(QStringLiteral("/dev/shm/keldoran-test-XXXXXX"));
    QTemporaryDir disk;
    if (deviceOf(memory.path()) == deviceOf(disk.path())) {
        GTEST_SKIP() << "/dev/shm and the temporary folder share a filesystem";
    }
    const auto source = memory.filePath(QStringLiteral("report.pdf"));
    writeFile(source, QByteArray(200000, 'r'));
    ::chmod(QFile::encodeName(source).constData(), 0640);
    const struct utimbuf times {1000000000, 1234567890};
    ::utime(QFile::encodeName(source).constData(), &times);
    QFile::link(QStringLiteral("../elsewhere"), memory.filePath(QStringLiteral("link")));

    const auto target = disk.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(KeepBothMerge::moveWithoutReplacing(source, target));
    EXPECT_FALSE(QFileInfo::exists(source));
    EXPECT_EQ(readFile(target), QByteArray(200000, 'r'));
    struct stat status {};
    ::stat(QFile::encodeName(target).constData(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(status.st_mtime, 1234567890);

    ASSERT_TRUE(KeepBothMerge::moveWithoutReplacing(memory.filePath(QStringLiteral("link")), disk.filePath(QStringLiteral("link"))));
    EXPECT_EQ(linkText(disk.filePath(QStringLiteral("link"))), QByteArray("../elsewhere"));

    // An existing name is never replaced, on either path.
    writeFile(memory.filePath(QStringLiteral("again")), "new");
    writeFile(disk.filePath(QStringLiteral("again")), "old");
    EXPECT_FALSE(KeepBothMerge::moveWithoutReplacing(memory.filePath(QStringLiteral("again")), disk.filePath(QStringLiteral("again"))));
    EXPECT_EQ(readFile(disk.filePath(QStringLiteral("again"))), QByteArray("old"));
    EXPECT_TRUE(QFileInfo::exists(memory.filePath(QStringLiteral("again"))));
}

TEST(KeepBothMerge, aFolderInTheWayEndsTheMergeWithAnError) {
    QTemporaryDir root;
    const auto destination = root.filePath(QStringLiteral("d"));
    writeFile(destination + QStringLiteral("/sub"), "a file where the folder should go");
    const auto staging = KeepBothMerge::createStagingFolder(destination);
    EXPECT_EQ(QFileInfo(staging).absolutePath(), destination);
    writeFile(staging + QStringLiteral("/a.txt"), "a");
    writeFile(staging + QStringLiteral("/sub/b.txt"), "b");
    try {
        KeepBothMerge::merge(staging, destination);
        FAIL() << "expected a merge error";
    } catch (const RestoreMergeError& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("sub")));
    }
    // Files moved before the failure stay moved.
    EXPECT_EQ(readFile(destination + QStringLiteral("/a.txt")), QByteArray("a"));
    KeepBothMerge::removeStagingFolder(staging);
    EXPECT_FALSE(QFileInfo::exists(staging));
}
