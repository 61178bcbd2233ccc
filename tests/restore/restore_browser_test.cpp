// Runs under support/with-keyring: the controller is configured from the session's keyring.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "restore/restore_browser.h"
#include "support/coroutines.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QTimeZone>

namespace keldoran {

namespace {

using Phase = RestoreBrowser::RestorePhase;
using Location = RestoreBrowser::Destination::Location;

QString node(const QString& path, const char* type,
             const QString& mtime = QStringLiteral("2026-12-01T10:00:00Z")) {
    return QStringLiteral(
               R"({"name":"%1","type":"%2","path":"%3","size":10,"mtime":"%4","struct_type":"node"})")
        .arg(path.section(QLatin1Char('/'), -1), QLatin1String(type), path, mtime);
}

QString snapshot(const QString& id, const QDateTime& time) {
    return QStringLiteral(
               R"({"time":"%1","tree":"t","paths":["/h"],"hostname":"vm","id":"%2","short_id":"%2"})")
        .arg(time.toUTC().toString(Qt::ISODate), id);
}

QStringList namesOf(const QList<LsEntry>& entries) {
    QStringList names;
    for (const auto& entry : entries) {
        names.append(entry.name);
    }
    return names;
}

class Browser : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
        browser = std::make_unique<RestoreBrowser>(model->controller(), test.clock, home);
        const auto now = test.clock.now();
        snapshots = QStringList{snapshot(QStringLiteral("today-1"), now.addSecs(-3600)),
                                snapshot(QStringLiteral("week"), now.addDays(-7)),
                                snapshot(QStringLiteral("today-2"), now.addSecs(-60)),
                                snapshot(QStringLiteral("yesterday"), now.addDays(-1)),
                                snapshot(QStringLiteral("today-3"), now.addSecs(-7200))}
                        .join(QLatin1Char(','));
        // ls answers per folder: the snapshot line, the folder itself, children, and deeper entries.
        const QStringList root{node(home, "dir"),
                               node(home + "/b", "dir"),
                               node(home + "/A", "dir"),
                               node(home + "/a.txt", "file"),
                               node(home + "/A/deeper.txt", "file"),
                               node(home + "/Annual REPORT.pdf", "file")};
        const QStringList folderA{node(home + "/A", "dir"), node(home + "/A/Y", "dir"),
                                  node(home + "/A/report.txt", "file")};
        fake.respond({{QStringLiteral("snapshots"), QStringLiteral("echo '[%1]'").arg(snapshots)},
                      {QStringLiteral("ls"),
                       QStringLiteral("echo '{\"struct_type\":\"snapshot\",\"id\":\"x\"}'; case \"$5\" in\n"
                                      "  %1) printf '%s\\n' '%2' ;;\n"
                                      "  %3) printf '%s\\n' '%4' ;;\n"
                                      "  %1/A/Y) exit 1 ;;\n"
                                      "esac")
                           .arg(home, root.join(QStringLiteral("' '")), home + QStringLiteral("/A"),
                                folderA.join(QStringLiteral("' '")))}});
    }

    int lsCalls() const {
        int calls = 0;
        for (int call = 1; call <= fake.callCount(); ++call) {
            calls += fake.arguments(call).value(0) == QLatin1String("ls");
        }
        return calls;
    }

    const QString home = QStringLiteral("/home/user");
    TestPlatform test;
    FakeRestic fake;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<RestoreBrowser> browser;
    QString snapshots;
};

} // namespace

TEST_F(Browser, groupsSnapshotsAndOpensTheNewest) {
    await(browser->loadSnapshots());
    const auto groups = browser->snapshotGroups();
    ASSERT_EQ(groups.size(), 3);
    EXPECT_EQ(groups[0].title, QStringLiteral("Today"));
    QStringList today;
    for (const auto& item : groups[0].items) {
        today.append(item.id);
    }
    EXPECT_EQ(today, (QStringList{"today-2", "today-1", "today-3"}));
    EXPECT_EQ(groups[1].title, QStringLiteral("Yesterday"));
    EXPECT_EQ(groups[2].title, QStringLiteral("Earlier"));
    EXPECT_EQ(browser->selectedSnapshot(), QStringLiteral("today-2"));
    EXPECT_EQ(fake.arguments(2), (QStringList{"ls", "--json", "--", "today-2", home}));
}

TEST_F(Browser, showsDirectChildrenFoldersFirstAndCachesEachLevel) {
    await(browser->loadSnapshots());
    EXPECT_EQ(namesOf(browser->currentLevelEntries()), (QStringList{"A", "b", "a.txt", "Annual REPORT.pdf"}));
    EXPECT_EQ(browser->breadcrumb(), QStringList{QStringLiteral("Home")});

    await(browser->openFolder(browser->currentLevelEntries()[0]));
    EXPECT_EQ(namesOf(browser->currentLevelEntries()), (QStringList{"Y", "report.txt"}));
    await(browser->openFolder(browser->currentLevelEntries()[0]));
    // Its listing failed: said as a failure, never shown as an empty folder, and not loading forever.
    EXPECT_TRUE(browser->currentLevelEntries().isEmpty());
    ASSERT_TRUE(browser->levelFailure());
    EXPECT_FALSE(browser->isLoading());
    EXPECT_EQ(browser->breadcrumb(), (QStringList{"Home", "A", "Y"}));
    const auto calls = lsCalls();
    await(browser->navigate(1));
    EXPECT_EQ(browser->breadcrumb(), (QStringList{"Home", "A"}));
    EXPECT_EQ(namesOf(browser->currentLevelEntries()), (QStringList{"Y", "report.txt"}));
    EXPECT_FALSE(browser->levelFailure());
    await(browser->navigate(2 - 2));
    await(browser->openFolder(browser->currentLevelEntries()[0]));
    await(browser->openFolder(browser->currentLevelEntries()[0]));
    // Every listed level came from the cache; the failed one is asked again.
    EXPECT_EQ(lsCalls(), calls + 1);
    EXPECT_TRUE(browser->levelFailure());

    await(browser->selectSnapshot(QStringLiteral("week"))); // another snapshot starts over
    EXPECT_EQ(lsCalls(), calls + 2);
    EXPECT_FALSE(browser->levelFailure());
}

TEST_F(Browser, searchesTheLevelShownOnly) {
    await(browser->loadSnapshots());
    browser->setSearchText(QStringLiteral("report"));
    EXPECT_EQ(namesOf(browser->visibleEntries()), QStringList{QStringLiteral("Annual REPORT.pdf")});
    browser->setSearchText(QString());
    EXPECT_EQ(browser->visibleEntries().size(), 4);
}

TEST_F(Browser, aDoubleClicksSecondClickDoesNotReselect) {
    await(browser->loadSnapshots());
    browser->setSelection({home + QStringLiteral("/A"), home + QStringLiteral("/a.txt")});
    EXPECT_EQ(browser->selectedItems(), (QStringList{home + "/A", home + "/a.txt"}));

    LogCapture log;
    bool secondClick = true;
    browser->isSecondClickOfDoubleClick = [&secondClick] {
        return secondClick;
    };
    browser->setSelection({home + QStringLiteral("/A")});
    EXPECT_EQ(browser->selection().size(), 2);
    EXPECT_EQ(log.messages(QStringLiteral("lifecycle")),
              QStringList{QStringLiteral(
                  "restore: ignored a selection change from a double-click's second click (#197)")});
    await(browser->openFolder(browser->currentLevelEntries()[0]));
    QCoreApplication::processEvents();
    EXPECT_TRUE(browser->selection().isEmpty());
    secondClick = false;
    // A path of another level is never part of what is restored.
    browser->setSelection({home + QStringLiteral("/a.txt"), home + QStringLiteral("/A/report.txt")});
    EXPECT_EQ(browser->selectedItems(), QStringList{home + QStringLiteral("/A/report.txt")});
}

TEST_F(Browser, runsARestoreAndReportsItsPhase) {
    await(browser->loadSnapshots());
    QList<Phase> phases;
    QObject::connect(browser.get(), &RestoreBrowser::restorePhaseChanged,
                     [&] { phases.append(browser->restorePhase()); });
    fake.respond({{QStringLiteral("restore"),
                   QStringLiteral("echo '{\"message_type\":\"status\",\"percent_done\":0.5}'; echo "
                                  "'{\"message_type\":\"status\",\"percent_done\":0.999}'")}});
    browser->setSelection({home + QStringLiteral("/a.txt")});
    const auto request = browser->restoreRequest();
    ASSERT_TRUE(request);
    await(browser->runRestore(*request, {Location::original, {}, RestoreConflict::replace}));
    EXPECT_EQ(phases,
              (QList<Phase>{Phase::restoring(0), Phase::restoring(0.5), Phase::restoring(0.999),
                            Phase::succeeded(home, QStringLiteral("Restored 1 item to your home folder."))}));
    EXPECT_EQ(fake.latestArguments(QStringLiteral("restore")),
              (QStringList{"restore", "--target=" + home, "--json", "--sparse", "--include=/a.txt", "--",
                           "today-2:" + home}));
    browser->dismissPhase();
    EXPECT_EQ(browser->restorePhase(), Phase::idle());
    EXPECT_EQ(browser->selectedItems(), QStringList{home + QStringLiteral("/a.txt")});

    // Nothing chosen restores nothing: never the whole snapshot over the home folder.
    const auto calls = fake.callCount();
    await(browser->runRestore({QStringLiteral("today-2"), home, {}},
                              {Location::original, {}, RestoreConflict::replace}));
    EXPECT_EQ(fake.callCount(), calls);
    EXPECT_EQ(browser->restorePhase(), Phase::idle());

    // restic's error records name what went wrong, item by item.
    const auto failing = [&](const char* fixture) {
        fake.respond({{QStringLiteral("restore"),
                       QStringLiteral("cat '%1/restic-0.18/%2' >&2; exit 1")
                           .arg(QLatin1String(KELDORAN_FIXTURES), QLatin1String(fixture))}});
        await(browser->runRestore(*request,
                                  {Location::another, QStringLiteral("/tmp/x"), RestoreConflict::replace}));
        return browser->restorePhase();
    };
    EXPECT_EQ(
        failing("restore-disk-full.stderr.txt"),
        Phase::incomplete(QStringLiteral("/tmp/x"),
                          QStringLiteral("The destination is full. Everything else was restored to x.")));
    EXPECT_EQ(failing("restore-folder-in-the-way.stderr.txt").message,
              QStringLiteral("“big.bin” is a folder in the destination but a file in the backup. Everything "
                             "else was restored to x."));
    EXPECT_EQ(failing("restore-damaged-blob.stderr.txt").message,
              QStringLiteral("“big.bin” is damaged in the backup. Everything else was restored to x."));
    EXPECT_EQ(failing("restore-sigint.stderr.txt"), Phase::failed(QStringLiteral("context canceled")));
}

// A restore acts on the items and the folder the sheet was opened for, whatever the browser shows by
// the time Restore is pressed; nothing of a level still loading can be chosen.
TEST_F(Browser, aRestoreActsOnWhatTheSheetCapturedWhateverTheListingDoes) {
    await(browser->loadSnapshots());
    // Listing A waits until the test lets it finish.
    fake.respond({{QStringLiteral("ls"),
                   QStringLiteral("until [ -e \"$FAKE_RESTIC_DIR/release\" ]; do sleep 0.02; done; "
                                  "printf '%s\\n' '%1'")
                       .arg(node(home + "/A/report.txt", "file"))}});
    browser->setSelection({home + QStringLiteral("/a.txt")});
    const auto captured = browser->restoreRequest();
    ASSERT_EQ(captured, (RestoreBrowser::RestoreRequest{QStringLiteral("today-2"), home, {home + "/a.txt"}}));

    auto opening = browser->openFolder(browser->currentLevelEntries()[0]);
    QCoreApplication::processEvents();
    EXPECT_TRUE(browser->isLoading());
    EXPECT_TRUE(browser->currentLevelEntries().isEmpty()); // the level being left is not shown
    browser->setSelection({home + QStringLiteral("/a.txt")});
    EXPECT_TRUE(browser->selection().isEmpty());
    EXPECT_FALSE(browser->restoreRequest());
    QFile(fake.planDirectory() + QStringLiteral("/release")).open(QIODevice::WriteOnly);
    await(std::move(opening));
    EXPECT_EQ(namesOf(browser->currentLevelEntries()), QStringList{QStringLiteral("report.txt")});

    fake.respond({});
    await(browser->runRestore(*captured, {Location::original, {}, RestoreConflict::replace}));
    EXPECT_EQ(fake.latestArguments(QStringLiteral("restore")),
              (QStringList{"restore", "--target=" + home, "--json", "--sparse", "--include=/a.txt", "--",
                           "today-2:" + home}));
}

// What a search hides is kept selected but is neither counted nor restored.
TEST_F(Browser, aSearchNeverRestoresWhatItHides) {
    await(browser->loadSnapshots());
    browser->setSelection({home + QStringLiteral("/a.txt"), home + QStringLiteral("/Annual REPORT.pdf"),
                           home + QStringLiteral("/b")});
    browser->setSearchText(QStringLiteral("report"));
    EXPECT_EQ(browser->selectedItems(), QStringList{home + QStringLiteral("/Annual REPORT.pdf")});
    EXPECT_EQ(browser->hiddenSelectedCount(), 2);
    EXPECT_EQ(browser->restoreRequest()->paths, browser->selectedItems());
    browser->setSearchText({});
    EXPECT_EQ(browser->selectedItems().size(), 3);
    EXPECT_EQ(browser->hiddenSelectedCount(), 0);
}

} // namespace keldoran
