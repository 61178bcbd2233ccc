// The restore window over a scripted restic, offscreen; runs under support/with-keyring.
#include "app/notification_policy.h"
#include "backup/backup_controller.h"
#include "index/snapshot_indexer.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/test_platform.h"
#include "widgets/app_actions.h"
#include "widgets/mark_animator.h"
#include "widgets/restore/destination_sheet.h"
#include "widgets/restore/restore_file_table.h"
#include "widgets/restore/restore_progress_overlay.h"
#include "widgets/restore/restore_window.h"
#include "widgets/status_popover.h"
#include "widgets/text_fitting.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace keldoran {

namespace {

class RecordingWorkspace : public Workspace {
public:
    void openUrl(const QUrl&) override {}
    void reveal(const QString& path, std::function<void()> failed) override {
        revealed.append(path);
        if (nothingOpens) {
            failed();
        }
    }
    bool nothingOpens = false;
    QStringList revealed;
};

QString node(const QString& path, const char* type) {
    return QStringLiteral(
               R"({"name":"%1","type":"%2","path":"%3","size":2048,"mtime":"2026-12-01T10:00:00Z","struct_type":"node"})")
        .arg(path.section(QLatin1Char('/'), -1), QLatin1String(type), path);
}

class RestoreWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test.storeConfiguration();
        test.useFakeRestic(fake);
        const auto home = test.home();
        const auto now = test.clock.now().toUTC().toString(Qt::ISODate);
        const QStringList root{node(home, "dir"), node(home + "/Documents", "dir"),
                               node(home + "/notes.txt", "file"), node(home + "/photo.JPG", "file")};
        const QStringList documents{node(home + "/Documents", "dir"),
                                    node(home + "/Documents/report.pdf", "file"),
                                    node(home + "/Documents/budget.xlsx", "file")};
        fake.respond(
            {{QStringLiteral("snapshots"),
              QStringLiteral(
                  R"(echo '[{"time":"%1","tree":"t","paths":["/h"],"hostname":"vm","id":"snap1","short_id":"snap1"}]')")
                  .arg(now)},
             {QStringLiteral("ls"),
              QStringLiteral("echo '{\"struct_type\":\"snapshot\",\"id\":\"x\"}'; case \"$5\" in\n"
                             "  %1) printf '%s\\n' '%2' ;;\n  %3) printf '%s\\n' '%4' ;;\nesac")
                  .arg(home, root.join(QStringLiteral("' '")), home + QStringLiteral("/Documents"),
                       documents.join(QStringLiteral("' '")))},
             {QStringLiteral("restore"),
              QStringLiteral("echo '{\"message_type\":\"status\",\"percent_done\":0.999}'")}});
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
        window = std::make_unique<RestoreWindow>(*model, workspace);
        window->show();
        ASSERT_TRUE(spinUntil([&] {
            return !window->browser().isBusy() && window->browser().currentLevelEntries().size() == 3;
        }));
        // The first level starts indexing in the background; counted restic calls start after it.
        await(model->snapshotIndexer().whenIdle());
    }

    void TearDown() override {
        window.reset();
        await(model->controller().whenIdle());
    }

    QPoint rowCentre(int row) {
        auto* table = window->table();
        return table->visualRect(table->model()->index(row, RestoreFileTable::name)).center();
    }
    QString footer() { return window->findChild<QLabel*>(QStringLiteral("selectedCount"))->text(); }

    TestPlatform test;
    FakeRestic fake;
    RecordingWorkspace workspace;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<RestoreWindow> window;
};

} // namespace

TEST_F(RestoreWindowTest, showsTheLevelAndFollowsClicksDoubleClicksAndSearch) {
    auto* table = window->table();
    auto* files = table->model();
    EXPECT_EQ(files->headerData(RestoreFileTable::name, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(files->index(0, RestoreFileTable::name).data().toString(), QStringLiteral("Documents"));
    EXPECT_EQ(files->index(0, RestoreFileTable::size).data().toString(), QString()); // folders show no size
    EXPECT_EQ(files->index(1, RestoreFileTable::size).data().toString(), QStringLiteral("2 KB"));
    EXPECT_EQ(RestoreFileTable::symbolFor(QStringLiteral("photo.JPG"), false), QStringLiteral("photo"));
    EXPECT_EQ(RestoreFileTable::symbolFor(QStringLiteral("budget.xlsx"), false),
              QStringLiteral("tablecells"));
    EXPECT_EQ(RestoreFileTable::symbolFor(QStringLiteral("Makefile"), false), QStringLiteral("doc.text"));
    EXPECT_EQ(footer(), QStringLiteral("0 items selected"));
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("restoreTo"))->isEnabled());

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    EXPECT_EQ(footer(), QStringLiteral("2 items selected"));
    EXPECT_TRUE(window->findChild<QPushButton*>(QStringLiteral("restoreTo"))->isEnabled());

    // A search keeps the selection, but what it hides is neither counted nor restored, and it says so.
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("search"));
    QTest::keyClicks(search, QStringLiteral("notes"));
    EXPECT_EQ(footer(), QStringLiteral("1 item selected"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("hiddenBySearch"))->text(),
              QStringLiteral("· 1 selected item is hidden by the search"));
    auto* sheet = window->openDestinationSheet();
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("title"))->text(), QStringLiteral("Restore 1 item"));
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("items"))->text(), QStringLiteral("notes.txt"));
    sheet->close();
    search->clear();
    EXPECT_EQ(footer(), QStringLiteral("2 items selected"));

    // The double-click on the folder opens it, and the new level starts with nothing selected.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, rowCentre(0));
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().breadcrumb().size() == 2 && !window->browser().isBusy(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(files->index(0, RestoreFileTable::name).data().toString(), QStringLiteral("budget.xlsx"));
    EXPECT_TRUE(window->browser().selection().isEmpty());
    EXPECT_EQ(footer(), QStringLiteral("0 items selected"));
    EXPECT_TRUE(table->selectionModel()->selectedRows().isEmpty());

    const auto crumbs = window->findChildren<QToolButton*>(QStringLiteral("crumb"));
    QStringList crumbTexts;
    for (const auto* crumb : crumbs) {
        if (crumb->isVisible()) {
            crumbTexts.append(crumb->text());
        }
    }
    EXPECT_EQ(crumbTexts, (QStringList{"Home", "Documents"}));

    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("search")), QStringLiteral("zzz"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("placeholder"))->text(),
              QStringLiteral("No results for \"zzz\""));
    window->findChild<QLineEdit*>(QStringLiteral("search"))->clear();
    EXPECT_EQ(files->rowCount(), 2);
}

TEST_F(RestoreWindowTest, theDestinationSheetRestoresOnlyWithADestinationAndTheOverlayReports) {
    window->browser().setSelection({test.home() + QStringLiteral("/notes.txt")});
    auto* sheet = window->openDestinationSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("title"))->text(), QStringLiteral("Restore 1 item"));
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("subtitle"))->text(),
              QStringLiteral("From the snapshot taken today at 10:15 AM"));
    EXPECT_EQ(
        sheet->findChild<QLabel*>(QStringLiteral("explanation"))->text(),
        QStringLiteral("Keeping both restores as name (restored).ext — your current files stay untouched."));

    // "Another folder…" without a folder: Restore does nothing and the sheet stays.
    sheet->findChild<QRadioButton*>(QStringLiteral("another"))->click();
    const int callsBefore = fake.callCount();
    sheet->findChild<QPushButton*>(QStringLiteral("restore"))->click();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(fake.callCount(), callsBefore);

    QTemporaryDir target;
    sheet->chooseFolder = [&target](QWidget*, std::function<void(QString)> chosen) {
        chosen(target.path());
    };
    sheet->findChild<QPushButton*>(QStringLiteral("choose"))->click();
    EXPECT_EQ(sheet->findChild<QPushButton*>(QStringLiteral("choose"))->text(), QStringLiteral("Change…"));
    sheet->findChild<QRadioButton*>(QStringLiteral("replace"))->click();
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("explanation"))->text(),
              QStringLiteral("Replace overwrites the current files at the destination."));
    sheet->findChild<QPushButton*>(QStringLiteral("restore"))->click();
    ASSERT_TRUE(spinUntil([&] {
        return window->browser().restorePhase().kind == RestoreBrowser::RestorePhase::Kind::succeeded;
    }));
    const auto arguments = fake.latestArguments(QStringLiteral("restore"));
    EXPECT_EQ(arguments.mid(0, 2), (QStringList{"restore", "--target=" + target.path()}));
    EXPECT_EQ(arguments.mid(arguments.size() - 2), (QStringList{"--", "snap1:" + test.home()}));

    auto* overlay = window->findChild<QWidget*>(QStringLiteral("restoreOverlay"));
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->findChild<QLabel*>(QStringLiteral("overlayTitle"))->text(),
              QStringLiteral("Restore complete"));
    auto* reveal = overlay->findChild<QPushButton*>(QStringLiteral("reveal"));
    EXPECT_EQ(reveal->text(), QStringLiteral("Show in Files"));
    reveal->click();
    EXPECT_EQ(workspace.revealed, QStringList{target.path()});
    overlay->findChild<QPushButton*>(QStringLiteral("done"))->click();
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_EQ(window->browser().selectedItems(), QStringList{test.home() + QStringLiteral("/notes.txt")});
    EXPECT_EQ(RestoreProgressOverlay::restoringText(0.999), QStringLiteral("Restoring… 99%"));
}

namespace {
class RecordingNotifier : public Notifier {
public:
    void show(const DesktopNotification& notification) override { shown.append(notification); }
    QList<DesktopNotification> shown;
};
} // namespace

// A restore goes on after its window is closed; how it ended reaches the user on the desktop and in the
// popover's activity.
TEST_F(RestoreWindowTest, aRestoreThatEndsAfterItsWindowClosedIsToldOnTheDesktopAndInThePopover) {
    RecordingNotifier notifier;
    NotificationPolicy notifications(*model, notifier);
    fake.respond({{QStringLiteral("restore"),
                   QStringLiteral("until [ -e \"$FAKE_RESTIC_DIR/release\" ]; do sleep 0.02; done")}});
    window->browser().setSelection({test.home() + QStringLiteral("/notes.txt")});
    window->openDestinationSheet()->findChild<QPushButton*>(QStringLiteral("restore"))->click();
    ASSERT_TRUE(spinUntil([&] { return fake.callCount() >= 3; })); // snapshots, ls, restore
    QPointer<RestoreWindow> closed = window.release();             // a closed window deletes itself once idle
    closed->close();
    EXPECT_FALSE(closed->isVisible());
    EXPECT_TRUE(notifier.shown.isEmpty());
    QFile(fake.planDirectory() + QStringLiteral("/release")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(spinUntil([&] { return !notifier.shown.isEmpty() && !closed; }));
    const auto told = QStringLiteral("Restored 1 item to your home folder.");
    EXPECT_EQ(notifier.shown,
              (QList<DesktopNotification>{
                  {QStringLiteral("restoreEnded"), QStringLiteral("Restore complete"), told, std::nullopt}}));

    MarkAnimator mark;
    AppActions actions(*model);
    model->setShowActivity(true);
    StatusPopover popover(*model, actions, mark);
    popover.refresh();
    EXPECT_EQ(popover.findChild<QLabel*>(QStringLiteral("lastRestore"))->text(),
              QStringLiteral("Last restore, Today, 10:15 AM: ") + told);
    // It is kept for the next launch.
    EXPECT_EQ(AppModel(test.platform()).lastRestore()->message, told);
}

TEST_F(RestoreWindowTest, aRestoreThatFailsAfterItsWindowClosedIsToldWithItsReason) {
    RecordingNotifier notifier;
    NotificationPolicy notifications(*model, notifier);
    fake.respond({{QStringLiteral("restore"),
                   QStringLiteral("until [ -e \"$FAKE_RESTIC_DIR/release\" ]; do sleep 0.02; done; "
                                  "cat '%1/restic-0.18/catconfig-wrongpw.stderr.txt' >&2; exit 12")
                       .arg(QLatin1String(KELDORAN_FIXTURES))}});
    window->browser().setSelection({test.home() + QStringLiteral("/notes.txt")});
    window->openDestinationSheet()->findChild<QPushButton*>(QStringLiteral("restore"))->click();
    ASSERT_TRUE(spinUntil([&] { return fake.callCount() >= 3; }));
    QPointer<RestoreWindow> closed = window.release();
    closed->close();
    QFile(fake.planDirectory() + QStringLiteral("/release")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(spinUntil([&] { return !notifier.shown.isEmpty() && !closed; }));
    ASSERT_EQ(notifier.shown.size(), 1);
    EXPECT_EQ(notifier.shown[0].title, QStringLiteral("Restore failed"));
    EXPECT_TRUE(notifier.shown[0].body.contains(QStringLiteral("Repository password is incorrect.")))
        << notifier.shown[0].body.toStdString();
    const auto kept = AppModel(test.platform()).lastRestore();
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->title(), QStringLiteral("Restore failed"));
    EXPECT_EQ(kept->message, notifier.shown[0].body);
}

// The keyboard of a desktop window: Backspace and Alt+Up go to the parent folder (Backspace still edits
// the search), Esc and Ctrl+W close. A folder is shown as "~/…"; "Show in Files" that nothing can open
// says so.
TEST_F(RestoreWindowTest, keyboardParentFolderCloseTildedDestinationsAndNothingToOpenTheFolder) {
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->browser().openFolder(window->browser().currentLevelEntries().first());
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().breadcrumb().size() == 2 && !window->browser().isBusy(); }));
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("search"));
    QTest::keyClicks(search, QStringLiteral("ab"));
    QTest::keyClick(search, Qt::Key_Backspace);
    EXPECT_EQ(search->text(), QStringLiteral("a"));
    EXPECT_EQ(window->browser().breadcrumb().size(), 2);
    search->clear();
    window->table()->setFocus();
    QTest::keyClick(window->table(), Qt::Key_Backspace);
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().breadcrumb().size() == 1 && !window->browser().isBusy(); }));
    window->browser().openFolder(window->browser().currentLevelEntries().first());
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().breadcrumb().size() == 2 && !window->browser().isBusy(); }));
    QTest::keyClick(window->table(), Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(
        spinUntil([&] { return window->browser().breadcrumb().size() == 1 && !window->browser().isBusy(); }));

    // The destination sheet shows folders of the home folder as "~/…".
    window->browser().setSelection({test.home() + QStringLiteral("/notes.txt")});
    auto* sheet = window->openDestinationSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QRadioButton*>(QStringLiteral("original"))->text(),
              QStringLiteral("Original location\n~"));
    sheet->chooseFolder = [&](QWidget*, std::function<void(QString)> chosen) {
        chosen(test.home() + QStringLiteral("/Restored/Today"));
    };
    sheet->findChild<QPushButton*>(QStringLiteral("choose"))->click();
    EXPECT_EQ(sheet->findChild<ElidingLabel*>(QStringLiteral("chosenFolder"))->toolTip().isEmpty()
                  ? sheet->findChild<ElidingLabel*>(QStringLiteral("chosenFolder"))->text()
                  : sheet->findChild<ElidingLabel*>(QStringLiteral("chosenFolder"))->toolTip(),
              QStringLiteral("~/Restored/Today"));
    sheet->close();

    // "Show in Files" with nothing to open the folder says so.
    workspace.nothingOpens = true;
    auto* overlay = window->findChild<RestoreProgressOverlay*>();
    ASSERT_NE(overlay, nullptr);
    emit overlay->revealRequested(test.home() + QStringLiteral("/Documents/report.pdf"));
    auto* alert = window->findChild<QMessageBox*>(QStringLiteral("nothingOpened"));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(),
              QStringLiteral("Nothing on this computer could open ~/Documents. Open it in your file "
                             "manager."));
    alert->close();

    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->table(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->table(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

// Until the snapshot list answers, the window says it is loading, not that there are no backups.
TEST(RestoreWindowLoading, saysLoadingUntilTheSnapshotListAnswers) {
    TestPlatform test;
    FakeRestic fake;
    RecordingWorkspace workspace;
    test.storeConfiguration();
    test.useFakeRestic(fake);
    fake.respond({{QStringLiteral("snapshots"), QStringLiteral("sleep 0.3; echo '[]'")}});
    AppModel model(test.platform());
    ASSERT_EQ(await(model.controller().configure()), ConfigurationOutcome::configured);
    {
        RestoreWindow window(model, workspace);
        const auto placeholder = [&] {
            return window.findChild<QLabel*>(QStringLiteral("placeholder"))->text();
        };
        EXPECT_EQ(placeholder(), QStringLiteral("Loading…"));
        window.show();
        QStringList seen;
        ASSERT_TRUE(spinUntil([&] {
            if (seen.isEmpty() || seen.last() != placeholder()) {
                seen.append(placeholder());
            }
            return placeholder() != QStringLiteral("Loading…") && !window.browser().isBusy();
        }));
        EXPECT_EQ(seen, (QStringList{"Loading…", "No backups to restore from yet."}));
    }
    await(model.controller().whenIdle());
}

} // namespace keldoran
