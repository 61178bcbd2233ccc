// A real backup and real restores through the restore run; runs under support/with-private-session.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "restore/restore_browser.h"
#include "support/coroutines.h"
#include "support/local_repository.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Location = RestoreBrowser::Destination::Location;
using Phase = RestoreBrowser::RestorePhase;

QByteArray randomBytes(qint64 size) {
    QFile random(QStringLiteral("/dev/urandom"));
    random.open(QIODevice::ReadOnly);
    return random.read(size);
}

} // namespace

TEST(RestoreRoundTrip, restoresTheOriginalBytesInBothModesAndToBothDestinations) {
    S3TestServer server;
    ASSERT_TRUE(server.isRunning());
    TestPlatform test;
    server.addClientEnvironment(test.platform().environment);
    AppModel model(test.platform());
    auto& controller = model.controller();
    await(controller.completeSetup(
        {StorageProvider::scaleway().defaultRegion, QString::fromLatin1(S3TestServer::bucket)},
        QStringLiteral("S3RVER"), QStringLiteral("S3RVER"), QStringLiteral("round trip"),
        QStringLiteral("app.keldoran.Keldoran"), &test.settings()));
    ASSERT_TRUE(controller.isConfigured());

    const auto documents = test.home() + QStringLiteral("/Documents");
    const auto report = randomBytes(300000);
    const auto photo = randomBytes(50000);
    writeFile(documents + QStringLiteral("/report.pdf"), report);
    writeFile(documents + QStringLiteral("/Photos/a.jpg"), photo);
    writeFile(documents + QStringLiteral("/untouched.txt"), "not selected");
    controller.startBackup();
    ASSERT_TRUE(controller.backupTask());
    await(OperationHandle::wait(controller.backupTask()));
    ASSERT_EQ(model.baseStatus(), AppStatus::protected_());

    RestoreBrowser browser(controller, test.clock, test.home());
    await(browser.loadSnapshots());
    ASSERT_TRUE(browser.selectedSnapshot());
    const auto level = browser.currentLevelEntries();
    const auto folder = std::find_if(level.begin(), level.end(),
                                     [](const LsEntry& e) { return e.name == QLatin1String("Documents"); });
    ASSERT_NE(folder, level.end());
    await(browser.openFolder(*folder));
    browser.setSelection({documents + QStringLiteral("/report.pdf"), documents + QStringLiteral("/Photos")});
    ASSERT_EQ(browser.selectedItems().size(), 2);

    // The originals have changed since: keeping both leaves them and adds the snapshot's beside them.
    writeFile(documents + QStringLiteral("/report.pdf"), "my newer report");
    QDir(documents + QStringLiteral("/Photos")).removeRecursively();
    await(browser.runRestore({Location::original, {}, RestoreConflict::keepBoth}));
    ASSERT_EQ(browser.restorePhase(), Phase::succeeded(documents));
    EXPECT_EQ(readFile(documents + QStringLiteral("/report.pdf")), QByteArray("my newer report"));
    EXPECT_EQ(readFile(documents + QStringLiteral("/report (restored).pdf")), report);
    EXPECT_EQ(readFile(documents + QStringLiteral("/Photos/a.jpg")), photo);
    EXPECT_FALSE(QFile::exists(documents + QStringLiteral("/Photos/a (restored).jpg")));

    await(browser.runRestore({Location::original, {}, RestoreConflict::replace}));
    ASSERT_EQ(browser.restorePhase(), Phase::succeeded(documents));
    EXPECT_EQ(readFile(documents + QStringLiteral("/report.pdf")), report);

    QTemporaryDir elsewhere;
    await(browser.runRestore({Location::another, elsewhere.path(), RestoreConflict::keepBoth}));
    ASSERT_EQ(browser.restorePhase(), Phase::succeeded(elsewhere.path()));
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("report.pdf"))), report);
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("Photos/a.jpg"))), photo);
    EXPECT_FALSE(QFile::exists(elsewhere.filePath(QStringLiteral("untouched.txt"))));

    writeFile(elsewhere.filePath(QStringLiteral("report.pdf")), "to be replaced");
    await(browser.runRestore({Location::another, elsewhere.path(), RestoreConflict::replace}));
    EXPECT_EQ(readFile(elsewhere.filePath(QStringLiteral("report.pdf"))), report);
    const auto leftovers = QDir(elsewhere.path()).entryList({QStringLiteral("keldoran-restore-*")}) +
                           QDir(documents).entryList({QStringLiteral("keldoran-restore-*")});
    EXPECT_TRUE(leftovers.isEmpty());
}
