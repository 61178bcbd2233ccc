// The keep-both merge on its own; restores through real restic are in restore_property_test.cpp.
#include "restic/file_name_text.h"
#include "restic/keep_both_merge.h"
#include "support/file_tree.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace keldoran {

TEST(KeepBothMerge, namesCollisionsAfterTheOriginalWithinTheNameLimit) {
    using KeepBothMerge::candidateName;
    EXPECT_EQ(candidateName("report.pdf", 0), QByteArray("report.pdf"));
    EXPECT_EQ(candidateName("report.pdf", 1), QByteArray("report (restored).pdf"));
    EXPECT_EQ(candidateName("report.pdf", 2), QByteArray("report (restored 2).pdf"));
    EXPECT_EQ(candidateName("notes", 1), QByteArray("notes (restored)"));
    EXPECT_EQ(candidateName(".profile", 1), QByteArray(".profile (restored)"));
    EXPECT_EQ(candidateName("a.tar.gz", 1), QByteArray("a.tar (restored).gz"));
    EXPECT_EQ(candidateName("photos.2019", 1, true), QByteArray("photos.2019 (restored)"));
    // 250 bytes plus " (restored)" would not fit in a name: the stem gives way, the extension stays,
    // and a character is never cut in half.
    const QByteArray stem = QByteArray(240, 'a') + QByteArray("é").repeated(3);
    const auto shortened = candidateName(stem + ".txt", 1);
    EXPECT_LE(shortened.size(), 255);
    EXPECT_TRUE(shortened.endsWith(" (restored).txt"));
    EXPECT_FALSE(fileNameText(shortened).contains(QChar::ReplacementCharacter));
    EXPECT_EQ(candidateName(QByteArray(255, 'b'), 12).size(), 255);
}

TEST(KeepBothMerge, showsNamesLikeResticsJson) {
    EXPECT_EQ(fileNameText("caf\xe9"), QStringLiteral("caf\uFFFD"));
    EXPECT_EQ(fileNameText("caf\xc3\xa9"), QStringLiteral("café"));
    EXPECT_EQ(fileNameText("\xe2\x82 x"), QStringLiteral("\uFFFD\uFFFD x")); // a cut sequence: one per byte
    EXPECT_EQ(fileNameText("\xed\xa0\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD")); // no surrogates
    EXPECT_EQ(fileNameText("\xf0\x9f\x93\x81"), QStringLiteral("📁"));
}

// Staging falls back to another filesystem when the destination's cannot be written: every item is
// then copied, and a recreated folder still takes the snapshot's mode and times, links stay links and
// sparse files stay sparse.
TEST(KeepBothMerge, copiesAcrossFilesystemsKeepingWhatRenameWouldKeep) {
    QTemporaryDir memory(QStringLiteral("/dev/shm/keldoran-test-XXXXXX"));
    QTemporaryDir disk;
    if (!memory.isValid() || FileTree::deviceOf(memory.path()) == FileTree::deviceOf(disk.path())) {
        GTEST_SKIP() << "no second filesystem at /dev/shm";
    }
    const auto staging = memory.filePath(QStringLiteral("staging"));
    FileTree::Builder staged(staging);
    staged.folder("private", 0700, 1'100'000'000);
    staged.file("private/key", "secret", 0600, 1'200'000'000);
    staged.folder("private/empty", 0555, 1'300'000'000);
    staged.sparseFile("disk.img", 40 << 20, "tail");
    staged.link("current", "private");
    staged.file(QByteArray("caf\xe9.txt"), "not UTF-8", 0644, 1'000'000'000);
    staged.folder("read-only", 0555, 1'400'000'000);
    staged.finish();
    const auto expected = FileTree::read(staging);

    const auto destination = disk.filePath(QStringLiteral("destination"));
    const auto report = KeepBothMerge::merge(staging, destination);
    EXPECT_EQ(report, RestoreMergeReport{});
    EXPECT_EQ(FileTree::read(destination), expected);
    struct stat image {};
    ::stat(QFile::encodeName(destination + QStringLiteral("/disk.img")).constData(), &image);
    EXPECT_LT(image.st_blocks * 512, 1 << 20) << "the copy was filled in";
}

} // namespace keldoran
