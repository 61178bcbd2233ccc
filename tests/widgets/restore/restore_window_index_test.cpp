// The restore window served from the snapshot index, over a scripted restic whose every start is counted;
// runs under support/with-keyring.
#include "backup/backup_controller.h"
#include "backup/post_backup_indexing.h"
#include "index/snapshot_indexer.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "restic/restore_selection.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/test_platform.h"
#include "widgets/restore/destination_sheet.h"
#include "widgets/restore/index_panel.h"
#include "widgets/restore/restore_window.h"
#include "widgets/restore/versions_dialog.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace keldoran {

namespace {

class NoWorkspace : public Workspace {
public:
    void openUrl(const QUrl&) override {}
    void reveal(const QString&, std::function<void()>) override {}
};

QString node(const QString& path, const char* type) {
    return QStringLiteral(
               R"({"name":"%1","type":"%2","path":"%3","size":2048,"mtime":"2026-12-01T10:00:00Z","struct_type":"node"})")
        .arg(path.section(QLatin1Char('/'), -1), QLatin1String(type), path);
}

class RestoreWindowIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        const auto home = test.home();
        // The whole snapshot in restic's order: each folder right before its contents, names sorted.
        QStringList recursive;
        QString above;
        for (const auto& part : home.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            above += QLatin1Char('/') + part;
            recursive.append(node(above, "dir"));
        }
        recursive << node(home + "/Documents", "dir") << node(home + "/Documents/Old", "dir")
                  << node(home + "/Documents/Old/report-2019.pdf", "file")
                  << node(home + "/Documents/budget.xlsx", "file")
                  << node(home + "/Documents/report.pdf", "file") << node(home + "/notes.txt", "file")
                  << node(home + "/photo.JPG", "file");
        const QStringList level{node(home, "dir"), node(home + "/Documents", "dir"),
                                node(home + "/notes.txt", "file"), node(home + "/photo.JPG", "file")};
        writeFile(fake.planDirectory() + "/recursive", recursive.join(QLatin1Char('\n')).toUtf8() + '\n');
        writeFile(fake.planDirectory() + "/level", level.join(QLatin1Char('\n')).toUtf8() + '\n');
        const auto now = test.clock.now().toUTC().toString(Qt::ISODate);
        // The whole-snapshot listing waits for "go", so the window can be seen while it runs.
        fake.respond(
            {{QStringLiteral("snapshots"),
              QStringLiteral(R"(echo '[{"time":"%1","tree":"t","paths":["/h"],"hostname":"vm","id":"snap1",)"
                             R"("short_id":"snap1","summary":{"backup_start":"%1","backup_end":"%1",)"
                             R"("data_added":9,"total_files_processed":6,"total_bytes_processed":9}}]')")
                  .arg(now)},
             {QStringLiteral("ls"),
              QStringLiteral("echo '{\"struct_type\":\"snapshot\",\"id\":\"snap1\"}'\n"
                             "if [ $# -eq 4 ]; then\n"
                             "  until [ -f \"$FAKE_RESTIC_DIR/go\" ]; do sleep 0.02; done\n"
                             "  cat \"$FAKE_RESTIC_DIR/recursive\"\n"
                             "elif [ \"$5\" = '%1' ]; then cat \"$FAKE_RESTIC_DIR/level\"; fi")
                  .arg(home)}});
    }

    void TearDown() override { closeApplication(); }

    // Opens the restore window as a fresh launch of the application would.
    void openApplication() {
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
        window = std::make_unique<RestoreWindow>(*model, workspace);
        window->show();
        ASSERT_TRUE(
            spinUntil([&] { return !window->browser().isBusy() && window->browser().selectedSnapshot(); }));
    }

    void closeApplication() {
        window.reset();
        if (model) {
            model->snapshotIndexer().cancel();
            writeFile(fake.planDirectory() + "/go", "");
            await(model->snapshotIndexer().whenIdle());
            await(model->controller().whenIdle());
            model.reset();
        }
    }

    int lsCalls() const {
        int calls = 0;
        for (int call = 1; call <= fake.callCount(); ++call) {
            calls += fake.arguments(call).value(0) == QLatin1String("ls") ? 1 : 0;
        }
        return calls;
    }

    QStringList names() const {
        QStringList names;
        for (const auto& entry : window->browser().visibleEntries()) {
            names.append(entry.name);
        }
        return names;
    }

    QLabel* indexingLine() { return window->findChild<QLabel*>(QStringLiteral("indexing")); }

    TestPlatform test;
    FakeRestic fake;
    NoWorkspace workspace;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<RestoreWindow> window;
};

} // namespace

TEST_F(RestoreWindowIndexTest, afterOneIndexingNoLevelStartsRestic) {
    openApplication();
    // The first level came from restic, and the whole snapshot is being listed behind it.
    EXPECT_EQ(names(), (QStringList{"Documents", "notes.txt", "photo.JPG"}));
    ASSERT_TRUE(spinUntil([&] { return lsCalls() == 2; }));
    EXPECT_TRUE(indexingLine()->isVisibleTo(window.get()));
    EXPECT_TRUE(indexingLine()->text().startsWith(QStringLiteral("Indexing this backup…")));
    writeFile(fake.planDirectory() + "/go", "");
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().isIndexed() && !model->snapshotIndexer().isBusy(); }));
    EXPECT_FALSE(indexingLine()->isVisibleTo(window.get()));
    closeApplication();

    // A new launch: every level, the first one too, comes from the index.
    QFile::remove(fake.planDirectory() + "/go");
    const auto before = lsCalls();
    openApplication();
    EXPECT_EQ(names(), (QStringList{"Documents", "notes.txt", "photo.JPG"}));
    await(window->browser().openFolder(window->browser().currentLevelEntries().first()));
    EXPECT_EQ(names(), (QStringList{"Old", "budget.xlsx", "report.pdf"}));
    await(window->browser().openFolder(window->browser().currentLevelEntries().first()));
    EXPECT_EQ(names(), (QStringList{"report-2019.pdf"}));
    await(window->browser().navigate(0));
    EXPECT_EQ(names(), (QStringList{"Documents", "notes.txt", "photo.JPG"}));
    EXPECT_FALSE(indexingLine()->isVisibleTo(window.get()));
    EXPECT_EQ(lsCalls(), before) << "a level started restic";
}

TEST_F(RestoreWindowIndexTest, searchesTheWholeSnapshotAndOpensAMatchSelected) {
    writeFile(fake.planDirectory() + "/go", "");
    openApplication();
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().isIndexed() && !model->snapshotIndexer().isBusy(); }));

    auto* search = window->findChild<QLineEdit*>(QStringLiteral("search"));
    QTest::keyClicks(search, QStringLiteral("REPORT"));
    auto* found = window->findChild<QLabel*>(QStringLiteral("foundElsewhere"));
    auto* matches = window->indexPanel()->matches();
    EXPECT_TRUE(names().isEmpty()); // nothing at the top level has it
    EXPECT_EQ(found->text(), QStringLiteral("Found in 2 other folders"));
    ASSERT_EQ(matches->count(), 2);
    EXPECT_EQ(matches->item(0)->text(), QStringLiteral("report.pdf — in Home/Documents"));
    EXPECT_EQ(matches->item(1)->text(), QStringLiteral("report-2019.pdf — in Home/Documents/Old"));

    emit matches->itemActivated(matches->item(0));
    ASSERT_TRUE(spinUntil([&] { return !window->browser().isBusy(); }));
    const auto report = test.home() + QStringLiteral("/Documents/report.pdf");
    EXPECT_EQ(window->browser().breadcrumb(), (QStringList{"Home", "Documents"}));
    EXPECT_EQ(window->browser().selectedItems(), QStringList{report});
    // The other match is still offered, from here.
    EXPECT_EQ(found->text(), QStringLiteral("Found in 1 other folder"));

    // Its versions, and a restore of one through the destination sheet.
    auto* showVersions = window->findChild<QPushButton*>(QStringLiteral("showVersions"));
    ASSERT_TRUE(showVersions->isEnabled());
    auto* dialog = window->showVersions();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->list()->count(), 1);
    EXPECT_TRUE(dialog->list()->item(0)->text().contains(QStringLiteral("2 KB")));
    dialog->list()->setCurrentRow(0);
    dialog->restoreButton()->click();
    auto* sheet = window->findChild<DestinationSheet*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("items"))->text(), QStringLiteral("report.pdf"));
    sheet->close();
    EXPECT_EQ(lsCalls(), 2) << "the first level and the whole snapshot, nothing else";
}

TEST_F(RestoreWindowIndexTest, aSuccessfulBackupIndexesTheNewestSnapshotOnlyOnMainsAndUnmetered) {
    writeFile(fake.planDirectory() + "/go", "");
    model = std::make_unique<AppModel>(test.platform());
    ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
    await(model->controller().refreshRepositoryState());
    ASSERT_TRUE(model->controller().listedSnapshots().has_value());
    auto& indexer = model->snapshotIndexer();
    PostBackupIndexing indexing(model->controller(), indexer, test.platform());

    const auto backUpOn = [&](bool battery, bool metered) {
        test.power.onBattery = battery;
        test.network.metered = metered;
        emit model->controller().backupSucceeded();
    };
    // Refused, nothing is queued: the indexer stays idle and restic lists nothing.
    backUpOn(true, false);
    await(indexer.whenIdle());
    backUpOn(false, true);
    await(indexer.whenIdle());
    EXPECT_FALSE(indexer.index().isIndexed(QStringLiteral("snap1")));
    EXPECT_EQ(lsCalls(), 0) << "indexed on battery or on a metered network";

    backUpOn(false, false);
    ASSERT_TRUE(spinUntil([&] { return indexer.index().isIndexed(QStringLiteral("snap1")); }));
    await(indexer.whenIdle());
    EXPECT_EQ(lsCalls(), 1) << "the newest snapshot, listed once";
}

} // namespace keldoran
