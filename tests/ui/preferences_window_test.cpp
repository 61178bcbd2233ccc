// The preferences window, the scope browser and the removal sheet, offscreen.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "scope/backup_scope.h"
#include "scope/scope_browser.h"
#include "support/event_loop.h"
#include "support/local_repository.h"
#include "support/test_platform.h"
#include "ui/preferences_window.h"
#include "ui/remove_data_sheet.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

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
    ScopeBrowser browser(scope);
    EXPECT_EQ(visibleNames(&browser), (QStringList{"Documents", "Media"})); // hidden items never appear
    EXPECT_EQ(browser.tallyText(), QStringLiteral("Skipping 0 places · ~Zero KB not backed up"));

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
        return browser.tallyText() == QStringLiteral("Skipping 1 places · ~3 KB not backed up");
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
    EXPECT_EQ(ScopeBrowser(relaunched).tallyText(),
              QStringLiteral("Skipping 1 places · size not yet calculated"));
}
