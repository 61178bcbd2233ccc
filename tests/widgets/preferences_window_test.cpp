// The preferences window, the scope browser and the removal sheet, offscreen.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "scope/backup_scope.h"
#include "storage/keychain.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/test_platform.h"
#include "widgets/focus_ring_style.h"
#include "widgets/folder_chooser.h"
#include "widgets/preferences_window.h"
#include "widgets/remove_data_sheet.h"
#include "widgets/scope/scope_browser.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace keldoran {

namespace {

class Preferences_ : public ::testing::Test {
protected:
    TestPlatform test;
    AppModel model{test.platform()};
    std::unique_ptr<PreferencesWindow> window = std::make_unique<PreferencesWindow>(model);

    template <typename T> T* find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    void choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

QStringList visibleNames(QWidget* browser) {
    QStringList names;
    for (auto* label : browser->findChildren<QLabel*>(QStringLiteral("name"))) {
        if (label->isVisibleTo(browser)) {
            names.append(label->text());
        }
    }
    return names;
}

// The row of `name` in the scope browser: its tick button and hint.
std::pair<QToolButton*, QString> scopeRow(QWidget* browser, const QString& name) {
    for (auto* row : browser->findChildren<QWidget*>(QStringLiteral("scopeRow"))) {
        auto* label = row->findChild<QLabel*>(QStringLiteral("name"));
        if (row->isVisibleTo(browser) && label && label->text() == name) {
            auto* hint = row->findChild<QLabel*>(QStringLiteral("hint"));
            return {row->findChild<QToolButton*>(QStringLiteral("tick")), hint ? hint->text() : QString()};
        }
    }
    return {nullptr, {}};
}

} // namespace

TEST_F(Preferences_, everyControlWritesThroughAtOnce) {
    EXPECT_EQ(window->tabs()->count(), 3);
    EXPECT_EQ(window->tabs()->tabText(0), QStringLiteral("Backup"));
    choose(find<QComboBox>("frequency"), QStringLiteral("Once a day"));
    EXPECT_EQ(model.frequency(), BackupFrequency::daily);

    find<QCheckBox>("backupOnBattery")->click();
    EXPECT_FALSE(model.backupOnBattery());

    EXPECT_FALSE(find<QComboBox>("uploadSpeed")->isVisibleTo(window.get()));
    find<QCheckBox>("limitUpload")->click();
    EXPECT_EQ(model.uploadLimitKiBps(), 5 * 1024);
    EXPECT_TRUE(find<QComboBox>("uploadSpeed")->isVisibleTo(window.get()));
    choose(find<QComboBox>("uploadSpeed"), QStringLiteral("2 MB/s"));
    EXPECT_EQ(model.uploadLimitKiBps(), 2048);
    choose(find<QComboBox>("uploadSpeed"), QStringLiteral("10 MB/s"));
    EXPECT_EQ(model.uploadLimitKiBps(), 10240);
    choose(find<QComboBox>("uploadSpeed"), QStringLiteral("Unlimited"));
    EXPECT_EQ(model.uploadLimitKiBps(), std::nullopt);
    EXPECT_FALSE(find<QCheckBox>("limitUpload")->isChecked());

    EXPECT_TRUE(find<QCheckBox>("notifications")->isChecked()); // on unless turned off
    find<QCheckBox>("notifications")->click();
    EXPECT_FALSE(model.notificationsEnabled());
    find<QCheckBox>("startAtLogin")->click();
    EXPECT_TRUE(model.startAtLogin());
    EXPECT_TRUE(test.services.calls.contains(QStringLiteral("registerLoginItem")));
    EXPECT_EQ(find<QLabel>("retention")->text(),
              QStringLiteral("Keldoran automatically keeps 24 hourly, 30 daily, and 12 monthly "
                             "versions. This isn't adjustable — sensible by design."));

    // Exclusions: add through the folder chooser, stop excluding one, bring the defaults back.
    const auto defaults = model.excludes().size();
    QDir().mkpath(test.home() + QStringLiteral("/Videos/Raw"));
    window->chooseFolder = [&](QWidget*, std::function<void(QString)> chosen) {
        chosen(test.home() + QStringLiteral("/Videos/Raw"));
    };
    find<QPushButton>("addExclusion")->click();
    EXPECT_EQ(model.excludes().last().path, QStringLiteral("~/Videos/Raw"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto stops = window->findChildren<QToolButton*>(QStringLiteral("stopExcluding"));
    ASSERT_EQ(stops.size(), defaults + 1);
    EXPECT_EQ(stops.last()->accessibleName(), QStringLiteral("Stop excluding ~/Videos/Raw"));
    stops.first()->click();
    EXPECT_EQ(model.excludes().size(), defaults);
    find<QPushButton>("restoreDefaults")->click();
    EXPECT_EQ(model.excludes().size(), defaults + 1);
    EXPECT_EQ(find<QLabel>("tally")->text(),
              QStringLiteral("Next backup: your home folder, minus %1 entries from this list, 0 "
                             "unticked folders and 0 hidden folders — plus cache folders.")
                  .arg(defaults + 1));

    StorageConfig{StorageProvider::scaleway().defaultRegion, QStringLiteral("photos")}.save(test.settings());
    model.setStorage({QStringLiteral("Scaleway"), QStringLiteral("Paris, France"), std::nullopt, true});
    EXPECT_EQ(find<QLabel>("storageSummary")->text(),
              QStringLiteral("Scaleway · Paris, France\nBucket photos\nEncrypted · your bucket"));
}

TEST_F(Preferences_, removalQuitsOnSuccessAndOtherwiseAlerts) {
    int quits = 0;
    QObject::connect(window.get(), &PreferencesWindow::quitRequested, [&] { ++quits; });
    bool includedCache = true;
    window->runRemoval = [&](bool include) -> QCoro::Task<AppRemoval::Outcome> {
        includedCache = include;
        co_return AppRemoval::Outcome{{AppRemoval::Step::loginItem}, {AppRemoval::Step::logs}};
    };
    writeFile(test.platform().folders.caches + QStringLiteral("/restic/data/1"), QByteArray(5000, 'x'));
    auto* sheet = window->openRemovalSheet();
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("footer"))->text(),
              QStringLiteral("Keldoran will quit. Remove it with your package manager to finish."));
    auto* cacheSwitch = sheet->findChild<QCheckBox*>(QStringLiteral("includeResticCache"));
    ASSERT_NE(cacheSwitch, nullptr);
    EXPECT_TRUE(cacheSwitch->text().startsWith(QStringLiteral("Also delete the restic cache (")));
    sheet->findChild<QPushButton*>(QStringLiteral("removeAndQuit"))->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(includedCache);
    EXPECT_EQ(quits, 0);
    auto* alert = window->findChild<QMessageBox*>(QStringLiteral("removalAlert"));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), QStringLiteral("Some items could not be removed. The log has the details."));
    alert->close();

    window->runRemoval = [&](bool include) -> QCoro::Task<AppRemoval::Outcome> {
        includedCache = include;
        co_return AppRemoval::Outcome{{AppRemoval::Step::loginItem}, {}};
    };
    sheet = window->openRemovalSheet();
    sheet->findChild<QCheckBox*>(QStringLiteral("includeResticCache"))->click();
    sheet->findChild<QPushButton*>(QStringLiteral("removeAndQuit"))->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(includedCache);
    EXPECT_EQ(quits, 1);

    // With no restic cache there is no switch.
    QDir(test.platform().folders.caches + QStringLiteral("/restic")).removeRecursively();
    EXPECT_EQ(RemoveDataSheet(std::nullopt).findChild<QCheckBox*>(), nullptr);
}

TEST(ScopeBrowserSheet, ticksHintsAndTheTally) {
    TestPlatform test;
    const auto home = test.home();
    for (const char* file : {"Media/Movies/a.mkv", "Media/Music/b.flac", "Documents/c.txt", ".hidden/d"}) {
        writeFile(home + QLatin1Char('/') + QLatin1String(file), QByteArray(3000, 'x'));
    }
    BackupScope scope(test.settings(), home);
    ScopeBrowser browser(scope, {});
    EXPECT_EQ(visibleNames(&browser), (QStringList{"Documents", "Media"})); // hidden items only on request
    EXPECT_EQ(browser.tallyText(), QStringLiteral("Nothing skipped"));

    browser.descend({home + QStringLiteral("/Media"), QStringLiteral("Media"), true, 0});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto [movies, moviesHint] = scopeRow(&browser, QStringLiteral("Movies"));
    ASSERT_NE(movies, nullptr);
    EXPECT_EQ(movies->property("symbol").toString(), QStringLiteral("checkmark.square.fill"));
    EXPECT_EQ(movies->accessibleDescription(), QStringLiteral("Backed up"));
    movies->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::tie(movies, moviesHint) = scopeRow(&browser, QStringLiteral("Movies"));
    EXPECT_EQ(movies->property("symbol").toString(), QStringLiteral("square"));
    EXPECT_EQ(moviesHint, QStringLiteral("Skipped"));
    // The folder's contents are counted in the background; until then its size is unknown.
    ASSERT_TRUE(spinUntil([&] {
        return browser.tallyText() == QStringLiteral("Skipping 1 place · ~3 KB not backed up");
    })) << browser.tallyText().toStdString();

    browser.navigate(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto [media, mediaHint] = scopeRow(&browser, QStringLiteral("Media"));
    EXPECT_EQ(media->property("symbol").toString(), QStringLiteral("minus.square.fill"));
    EXPECT_EQ(mediaHint, QStringLiteral("Movies skipped"));
    EXPECT_EQ(media->accessibleDescription(), QStringLiteral("Movies skipped"));

    // Every child unticked shows the folder unticked; ticking it takes them all back.
    browser.descend({home + QStringLiteral("/Media"), QStringLiteral("Media"), true, 0});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    scopeRow(&browser, QStringLiteral("Music")).first->click();
    browser.navigate(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    media = scopeRow(&browser, QStringLiteral("Media")).first;
    EXPECT_EQ(media->property("symbol").toString(), QStringLiteral("square"));
    media->click();
    EXPECT_TRUE(scope.excluded().isEmpty());

    // After a relaunch nothing is listed yet, so the size of an unticked folder is unknown.
    scope.toggle({home + QStringLiteral("/Media/Movies"), QStringLiteral("Movies"), true, 0});
    BackupScope relaunched(test.settings(), home);
    EXPECT_EQ(ScopeBrowser(relaunched, {}).tallyText(),
              QStringLiteral("Skipping 1 place · size not yet calculated"));
}

// Hidden folders can be shown and ticked back in; what the exclusion list leaves out shows unticked
// with the reason, and its tick cannot override the list.
TEST(ScopeBrowserSheet, hiddenFoldersCanBeTickedAndListedExclusionsShowUnticked) {
    TestPlatform test;
    AppModel model(test.platform());
    const auto home = test.home();
    for (const char* file : {".mozilla/profile/places.sqlite", ".thunderbird/mail/inbox", "Videos/Raw/a.mov",
                             "Videos/Cut/b.mov", "Code/app/node_modules/x.js"}) {
        writeFile(home + QLatin1Char('/') + QLatin1String(file), QByteArray(100, 'x'));
    }
    QDir().mkpath(home + QStringLiteral("/.ssh"));
    model.addExclusion(home + QStringLiteral("/Videos/Raw"));
    PreferencesWindow window(model);
    auto* browser = new ScopeBrowser(model.scope(), model.excludes(), &window);
    EXPECT_EQ(visibleNames(browser), (QStringList{"Code", "Videos"}));

    auto* showHidden = browser->findChild<QCheckBox*>(QStringLiteral("showHidden"));
    ASSERT_NE(showHidden, nullptr);
    EXPECT_EQ(showHidden->text(), QStringLiteral("Show hidden folders"));
    showHidden->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(visibleNames(browser), (QStringList{".mozilla", ".ssh", ".thunderbird", "Code", "Videos"}));
    auto [mozilla, mozillaHint] = scopeRow(browser, QStringLiteral(".mozilla"));
    ASSERT_NE(mozilla, nullptr);
    EXPECT_EQ(mozilla->property("symbol").toString(), QStringLiteral("square"));
    EXPECT_EQ(mozillaHint, QStringLiteral("Hidden folder, skipped"));
    EXPECT_EQ(scopeRow(browser, QStringLiteral(".ssh")).first->property("symbol").toString(),
              QStringLiteral("checkmark.square.fill")); // always kept
    mozilla->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(scopeRow(browser, QStringLiteral(".mozilla")).first->property("symbol").toString(),
              QStringLiteral("checkmark.square.fill"));
    EXPECT_EQ(model.scope().keptHidden(), QSet<QString>{home + QStringLiteral("/.mozilla")});
    EXPECT_FALSE(model.scope().hiddenFolderExcludes().contains(home + QStringLiteral("/.mozilla")));
    EXPECT_TRUE(model.scope().hiddenFolderExcludes().contains(home + QStringLiteral("/.thunderbird")));
    EXPECT_TRUE(window.tallyText().endsWith(QStringLiteral("Also backs up 1 hidden folder you chose.")))
        << window.tallyText().toStdString();
    // Kept across a relaunch.
    EXPECT_EQ(BackupScope(test.settings(), home).keptHidden(),
              QSet<QString>{home + QStringLiteral("/.mozilla")});

    // A folder in the exclusion list, and one a pattern of the list matches, show unticked with the reason.
    browser->descend({home + QStringLiteral("/Videos"), QStringLiteral("Videos"), true, 0});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto [raw, rawHint] = scopeRow(browser, QStringLiteral("Raw"));
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->property("symbol").toString(), QStringLiteral("square"));
    EXPECT_EQ(rawHint, QStringLiteral("Excluded in Preferences"));
    EXPECT_FALSE(raw->isEnabled());
    EXPECT_EQ(scopeRow(browser, QStringLiteral("Cut")).first->property("symbol").toString(),
              QStringLiteral("checkmark.square.fill"));
    browser->navigate(0);
    browser->descend({home + QStringLiteral("/Code"), QStringLiteral("Code"), true, 0});
    browser->descend({home + QStringLiteral("/Code/app"), QStringLiteral("app"), true, 0});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(scopeRow(browser, QStringLiteral("node_modules")).second,
              QStringLiteral("Excluded in Preferences"));
}

// "Add exclusion…" opens in the home folder, not in the folder Keldoran was started from.
TEST(FolderChooserDialog, startsInTheHomeFolder) {
    QWidget parent;
    folderChooser(QStringLiteral("Exclude"))(&parent, [](const QString&) {});
    auto* dialog = parent.findChild<QFileDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(QDir::currentPath(), QDir::homePath()); // the test runs in the build folder
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(QDir::homePath()).absolutePath());
    dialog->reject();
}

// The Storage tab offers what its text promises: new keys, checked against the backup before they are
// stored, and a new backup, after a confirmation.
TEST(PreferencesStorage, changesKeysOnlyWhenTheyOpenTheBackupAndSetsUpANewBackupAfterAsking) {
    TestPlatform test;
    test.storeConfiguration(QStringLiteral("photos"), QStringLiteral("the password"),
                            QStringLiteral("OLDKEY"), QStringLiteral("OLDSECRET"));
    FakeRestic fake;
    fake.respond(
        {{QStringLiteral("cat"),
          QStringLiteral("if [ \"$AWS_ACCESS_KEY_ID\" = NEWKEY ]; then cat '" KELDORAN_FIXTURES
                         "/restic-0.18/catconfig.stdout.txt'; else echo 'Fatal: unable to open config "
                         "file: Stat: Access Denied.' >&2; exit 1; fi")}});
    test.useFakeRestic(fake);
    AppModel model(test.platform());
    ASSERT_EQ(await(model.controller().configure()), ConfigurationOutcome::configured);
    PreferencesWindow window(model);
    window.tabs()->setCurrentIndex(1);
    auto* changeKeys = window.findChild<QPushButton*>(QStringLiteral("changeKeys"));
    ASSERT_NE(changeKeys, nullptr);
    EXPECT_EQ(changeKeys->text(), QStringLiteral("Change keys…"));
    changeKeys->click();
    auto* sheet = window.findChild<QDialog*>(QStringLiteral("changeKeysSheet"));
    ASSERT_NE(sheet, nullptr);
    auto* save = sheet->findChild<QPushButton*>(QStringLiteral("save"));
    EXPECT_FALSE(save->isEnabled());
    sheet->findChild<QLineEdit*>(QStringLiteral("accessKey"))->setText(QStringLiteral("WRONGKEY"));
    sheet->findChild<QLineEdit*>(QStringLiteral("secretKey"))->setText(QStringLiteral("s"));
    save->click();
    const auto message = [&] {
        return sheet->findChild<QLabel*>(QStringLiteral("message"))->text();
    };
    ASSERT_TRUE(spinUntil([&] { return message() != QStringLiteral("Checking…"); }))
        << message().toStdString();
    EXPECT_EQ(message(),
              QStringLiteral("Those keys were rejected. Double-check the access key and secret key, "
                             "then try again."));
    const Keychain keychain(test.secrets);
    EXPECT_EQ(await(keychain.read(Keychain::Account::accessKey)), QStringLiteral("OLDKEY"));

    sheet->findChild<QLineEdit*>(QStringLiteral("accessKey"))->setText(QStringLiteral("NEWKEY"));
    sheet->findChild<QLineEdit*>(QStringLiteral("secretKey"))->setText(QStringLiteral("NEWSECRET"));
    QPointer<QDialog> open(sheet);
    save->click();
    ASSERT_TRUE(spinUntil([&] { return !open || !open->isVisible(); }));
    EXPECT_EQ(await(keychain.read(Keychain::Account::accessKey)), QStringLiteral("NEWKEY"));
    EXPECT_EQ(await(keychain.read(Keychain::Account::secretKey)), QStringLiteral("NEWSECRET"));
    EXPECT_TRUE(model.controller().isConfigured());

    int setupRequests = 0;
    QObject::connect(&model, &AppModel::setupRequested, [&] { ++setupRequests; });
    auto* confirm = window.confirmNewBackup();
    EXPECT_TRUE(confirm->text().contains(QStringLiteral("in bucket photos")));
    confirm->reject();
    EXPECT_EQ(setupRequests, 0);
    window.findChild<QPushButton*>(QStringLiteral("setUpNewBackup"))->click();
    confirm = window.findChild<QMessageBox*>(QStringLiteral("confirmNewBackup"));
    ASSERT_NE(confirm, nullptr);
    confirm->findChild<QPushButton*>(QStringLiteral("proceed"))->click();
    EXPECT_EQ(setupRequests, 1);
    await(model.controller().whenIdle());
}

// Esc and Ctrl+W close the preferences, as they close the desktop's other windows.
TEST(PreferencesStorage, storageSettingsThatCannotBeReadAreSaidNotShownAsNone) {
    TestPlatform test;
    AppModel model(test.platform());
    const auto summary = [&] {
        PreferencesWindow window(model);
        return window.findChild<QLabel*>(QStringLiteral("storageSummary"))->text().remove(QChar(0x200B));
    };
    EXPECT_TRUE(summary().contains(QStringLiteral("No storage set up yet")));
    test.settings().setValue(SettingsKeys::storageConfig,
                             QByteArray("{\"provider\":\"scaleway\",\"bucket\":"));
    EXPECT_TRUE(summary().contains(QStringLiteral("storage settings can't be read")))
        << summary().toStdString();
    EXPECT_FALSE(summary().contains(QStringLiteral("No storage set up yet")));
}

TEST_F(Preferences_, escapeAndControlWClose) {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->tabs(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

// The control with the keyboard focus wears a ring that stands out from the control around it.
TEST(FocusRing, theFocusedControlIsClearlyMarked) {
    FocusRingStyle style;
    QWidget window;
    window.setStyle(&style);
    auto* first = new QPushButton(QStringLiteral("First"), &window);
    auto* second = new QPushButton(QStringLiteral("Second"), &window);
    first->setStyle(&style);
    second->setStyle(&style);
    first->setGeometry(10, 10, 120, 32);
    second->setGeometry(10, 60, 120, 32);
    window.resize(200, 120);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    const auto unfocused = second->grab().toImage();
    QTest::keyClick(first, Qt::Key_Tab); // focus moved by the keyboard
    ASSERT_TRUE(second->hasFocus());
    const auto focused = second->grab().toImage();
    const auto highlight = second->palette().color(QPalette::Highlight);
    int ringPixels = 0;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            const QColor before = unfocused.pixelColor(x, y);
            const QColor after = focused.pixelColor(x, y);
            const int change = std::abs(before.red() - after.red()) +
                               std::abs(before.green() - after.green()) +
                               std::abs(before.blue() - after.blue());
            const int fromHighlight = std::abs(after.red() - highlight.red()) +
                                      std::abs(after.green() - highlight.green()) +
                                      std::abs(after.blue() - highlight.blue());
            if (change > 120 && fromHighlight < 90) {
                ++ringPixels;
            }
        }
    }
    // Most of the button's outline, not a faint tint: at least one full side of it.
    EXPECT_GT(ringPixels, focused.width() + focused.height()) << ringPixels;
}

} // namespace keldoran
