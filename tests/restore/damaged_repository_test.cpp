// Damage in a real repository on the S3 test server is found by the weekly check and named by a
// restore, which still delivers everything else. Runs under support/with-private-session.
#include "backup/backup_controller.h"
#include "backup/post_backup_maintenance.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "presentation/status_presentation.h"
#include "restore/restore_browser.h"
#include "support/coroutines.h"
#include "support/local_repository.h"
#include "support/log_capture.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace keldoran {

namespace {

QByteArray randomBytes(qint64 size) {
    QFile random(QStringLiteral("/dev/urandom"));
    random.open(QIODevice::ReadOnly);
    return random.read(size);
}

// The data packs the server holds, by file path.
QSet<QString> dataPacks(const S3TestServer& server) {
    QSet<QString> packs;
    QDirIterator files(server.dataDirectory() + QStringLiteral("/") + QLatin1String(S3TestServer::bucket) +
                           QStringLiteral("/data"),
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const auto path = files.next();
        if (!path.contains(QLatin1String("metadata")) && !path.endsWith(QLatin1String(".md5"))) {
            packs.insert(path);
        }
    }
    return packs;
}

void backUp(AppModel& model) {
    model.controller().startBackup();
    ASSERT_TRUE(model.controller().backupTask());
    await(OperationHandle::wait(model.controller().backupTask()));
    ASSERT_EQ(model.baseStatus(), AppStatus::protected_());
}

} // namespace

TEST(DamagedRepository, theWeeklyCheckFindsADamagedDataPackAndARestoreNamesTheFileInIt) {
    S3TestServer server;
    ASSERT_TRUE(server.isRunning());
    TestPlatform test;
    server.addClientEnvironment(test.platform().environment);
    AppModel model(test.platform());
    auto& controller = model.controller();
    await(controller.completeSetup(
        {StorageProvider::scaleway().defaultRegion, QString::fromLatin1(S3TestServer::bucket)},
        QStringLiteral("S3RVER"), QStringLiteral("S3RVER"), QStringLiteral("damage ahead"),
        QStringLiteral("app.keldoran.Keldoran"), &test.settings()));
    ASSERT_TRUE(controller.isConfigured());

    // The small files and the large one go to different packs: two backups.
    const auto documents = test.home() + QStringLiteral("/Documents");
    writeFile(documents + QStringLiteral("/notes.txt"), "notes");
    writeFile(documents + QStringLiteral("/letter.txt"), "letter");
    backUp(model);
    EXPECT_EQ(test.settings().integerValue(SettingsKeys::checkDataSubset), 1); // the first week's share
    const auto before = dataPacks(server);
    writeFile(documents + QStringLiteral("/photo.raw"), randomBytes(400'000));
    backUp(model);
    // A data pack and a tree pack are new; the photo is in the large one.
    const auto added = (dataPacks(server) - before).values();
    ASSERT_FALSE(added.isEmpty());
    const auto pack = *std::max_element(added.begin(), added.end(), [](const QString& a, const QString& b) {
        return QFileInfo(a).size() < QFileInfo(b).size();
    });

    // Damage the pack, and make this week's share the one that holds it (restic groups packs by the
    // first byte of their id).
    QFile damaged(pack);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(damaged.size() / 2);
    damaged.write(QByteArray(32, 'X'));
    damaged.close();
    const auto id = QFileInfo(pack).fileName().left(2).toInt(nullptr, 16);
    const auto share = id % 52 + 1;
    test.settings().setValue(SettingsKeys::checkDataSubset, share == 1 ? 52 : share - 1);
    // The structure is sound: a check that reads no data passes.
    EXPECT_NO_THROW(await(controller.restic()->check()));

    LogCapture log;
    test.clock.advance(7 * 24 * 3600);
    await(PostBackupMaintenance::checkIntegrity(&model, *controller.restic(), {}));
    EXPECT_EQ(model.lastCheckFailure(), CheckFailureReason::corruption);
    EXPECT_TRUE(log.messages(QStringLiteral("check"))
                    .contains(QStringLiteral("integrity check read data subset %1/52").arg(share)));
    const auto shown = StatusPresentation::of(model, false, true, test.home(), test.clock.now());
    EXPECT_EQ(shown.check, QStringLiteral("Check failed"));
    EXPECT_EQ(shown.checkDetail,
              QStringLiteral(
                  "Damaged data was found in the backup. Don't delete snapshots — check the repository."));

    RestoreBrowser browser(controller, test.clock, test.home());
    await(browser.loadSnapshots());
    LsEntry folder;
    folder.path = documents;
    await(browser.openFolder(folder));
    browser.setSelection({documents + "/notes.txt", documents + "/letter.txt", documents + "/photo.raw"});
    QTemporaryDir elsewhere;
    await(browser.runRestore(*browser.restoreRequest(), {RestoreBrowser::Destination::Location::another,
                                                         elsewhere.path(), RestoreConflict::keepBoth}));
    const auto name = QFileInfo(elsewhere.path()).fileName();
    EXPECT_EQ(browser.restorePhase(),
              RestoreBrowser::RestorePhase::incomplete(
                  elsewhere.path(),
                  QStringLiteral("“photo.raw” is damaged in the backup. Everything else was restored to %1.")
                      .arg(name)));
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("notes.txt"))), QByteArray("notes"));
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("letter.txt"))), QByteArray("letter"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath(QStringLiteral("photo.raw"))));
    EXPECT_TRUE(QDir(elsewhere.path()).entryList({QStringLiteral("keldoran-restore-*")}).isEmpty());
    const auto queue = log.messages(QStringLiteral("queue")).join(QLatin1Char('\n'));
    EXPECT_TRUE(queue.contains(QStringLiteral("restore failed for /photo.raw: decrypting blob")))
        << queue.toStdString();
}

} // namespace keldoran
