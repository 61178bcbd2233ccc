// The status popover, its menu rows, the shell's windows and the mark, as real widgets offscreen.
#include "app/menu_bar_app.h"
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/clock.h"
#include "platform/workspace.h"
#include "restore/restore_window.h"
#include "setup/onboarding_window.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"
#include "ui/app_actions.h"
#include "ui/desktop_shell.h"
#include "ui/keldoran_mark.h"
#include "ui/mark_animator.h"
#include "ui/preferences_window.h"
#include "ui/status_popover.h"
#include "ui/symbols.h"
#include "ui/tray_item.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class RecordingWorkspace : public Workspace {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    void reveal(const QString& path) override { revealed.append(path); }
    QList<QUrl> opened;
    QStringList revealed;
};

class Popover : public ::testing::Test {
protected:
    QString text(const char* name) const {
        const auto* label = popover->findChild<QLabel*>(QString::fromLatin1(name));
        return label && label->isVisibleTo(popover.get()) ? label->text() : QStringLiteral("(hidden)");
    }
    QString action() const {
        return popover->findChild<QPushButton*>(QStringLiteral("primaryAction"))->text();
    }
    void click(const char* name) {
        QTest::mouseClick(popover->findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        settle();
    }
    // Rows added to a shown layout appear on the next turn of the event loop; replaced ones go then.
    static void settle() {
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    QStringList shownLines(const char* name) const {
        QStringList lines;
        for (const auto* label : popover->findChildren<QLabel*>(QString::fromLatin1(name))) {
            if (label->isVisibleTo(popover.get())) {
                lines.append(label->text());
            }
        }
        return lines;
    }

    TestPlatform test;
    AppModel model{test.platform()};
    MarkAnimator mark;
    AppActions actions{model};
    std::unique_ptr<StatusPopover> popover = std::make_unique<StatusPopover>(model, actions, mark);
};

} // namespace

TEST_F(Popover, showsEveryStatusWithItsTitleSubtitleAndAction) {
    const auto now = test.clock.now();
    model.setLastBackup(now.addSecs(-2 * 3600));
    struct Row {
        AppStatus status;
        bool paused;
        bool online;
        QString title, subtitle, action;
    };
    const QList<Row> rows{
        {AppStatus::protected_(), false, true, "Protected", "Backed up 2 hours ago", "Back up now"},
        {AppStatus::protectedWithWarnings(3), false, true, "Completed with 3 warnings",
         "Backed up 2 hours ago", "Back up now"},
        {AppStatus::backingUp({0.25, 10, 40}), false, true, "Backing up…", "10 of 40 files", "Back up now"},
        {AppStatus::backingUp({0.429, 10, 0}), false, true, "Backing up…", "42% complete", "Back up now"},
        {AppStatus::backingUp({0.999, std::nullopt, 40}), false, true, "Backing up…", "99% complete",
         "Back up now"},
        {AppStatus::error("Repository password is incorrect."), false, true, "Last backup failed",
         "Repository password is incorrect.", "Try again"},
        {AppStatus::needsSetup(), false, true, "Set up Keldoran", "Backed up 2 hours ago", "Set Up Keldoran"},
        {AppStatus::credentialsUnavailable(), false, true, "Couldn't read your saved credentials",
         "Your keyring may still be locked — try Retry, or unlock it and try again.", "Retry"},
        {AppStatus::fullDiskAccessRequired(), false, true, "Home folder access needed",
         "Keldoran can't read your home folder. Backups are paused until it can.", "Check again"},
        {AppStatus::protected_(), true, true, "Paused", "Resume to continue protection", "Resume"},
        {AppStatus::protected_(), false, false, "Waiting for network", "Will resume automatically",
         "Waiting for network"},
    };
    for (const auto& row : rows) {
        model.setBaseStatus(row.status);
        model.setIsPaused(row.paused);
        model.setIsOnline(row.online);
        popover->refresh();
        EXPECT_EQ(text("title"), row.title);
        EXPECT_EQ(text("subtitle"), row.subtitle) << row.title.toStdString();
        EXPECT_EQ(action(), row.action) << row.title.toStdString();
    }
    EXPECT_FALSE(popover->findChild<QPushButton*>(QStringLiteral("primaryAction"))
                     ->isEnabled()); // waiting for network

    // A timed pause says when it ends.
    model.setIsOnline(true);
    model.pause(AppModel::PauseChoice::oneHour, now);
    popover->refresh();
    EXPECT_EQ(text("subtitle"), QStringLiteral("Resumes in 1 hour"));
}

TEST_F(Popover, showsTheNextBackupInWholeMinutesThenHours) {
    model.setBaseStatus(AppStatus::protected_());
    const auto now = test.clock.now();
    const std::pair<qint64, QString> cases[] = {{59 * 60 + 59, "Next backup in 59 min"},
                                                {60 * 60, "Next backup in 1 h"},
                                                {119 * 60, "Next backup in 1 h"},
                                                {-30, "Next backup in 0 min"}};
    for (const auto& [seconds, line] : cases) {
        model.setNextBackup(now.addSecs(seconds));
        popover->refresh();
        EXPECT_EQ(text("nextBackup"), line);
    }
    // Paused (even without an end), offline and backing up hide it.
    model.pause(AppModel::PauseChoice::indefinitely, now);
    popover->refresh();
    EXPECT_EQ(text("nextBackup"), QStringLiteral("(hidden)"));
    model.resume();
    model.setBaseStatus(AppStatus::backingUp({}));
    popover->refresh();
    EXPECT_EQ(text("nextBackup"), QStringLiteral("(hidden)"));
}

TEST_F(Popover, listsFiveWarningsThenTheRestBehindTheDetailsToggle) {
    model.setBaseStatus(AppStatus::protectedWithWarnings(5));
    const auto home = test.home();
    QList<BackupWarning> warnings;
    for (int i = 0; i < 5; ++i) {
        warnings.append({BackupWarning::Kind::permissionDenied, home + QStringLiteral("/locked-%1").arg(i)});
    }
    model.setLastBackupWarnings(warnings);
    popover->show();
    popover->refresh();
    EXPECT_TRUE(shownLines("warningLine").isEmpty()); // collapsed until asked
    click("detailsToggle");
    EXPECT_EQ(popover->findChild<QToolButton*>(QStringLiteral("detailsToggle"))->text(),
              QStringLiteral("Hide details"));
    ASSERT_EQ(shownLines("warningLine").size(), 5);
    EXPECT_EQ(shownLines("warningLine").first(), QStringLiteral("No permission to read ~/locked-0."));
    EXPECT_EQ(shownLines("guidance"),
              QStringList{QStringLiteral("These files' owner or permissions prevent reading them.")});

    warnings.append({BackupWarning::Kind::privacyProtected, std::nullopt});
    model.setLastBackupWarnings(warnings);
    popover->refresh();
    settle();
    const auto lines = shownLines("warningLine");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.last(), QStringLiteral("and 1 more"));
    // The home folder is readable here, so the blocked file gets the granted guidance.
    EXPECT_EQ(shownLines("guidance").first(),
              QStringLiteral("The system blocked these even though Keldoran can read your home "
                             "folder. Check their permissions, security labels or mount options."));
}

TEST_F(Popover, showsTheCheckAndTheActivityFigures) {
    model.setBaseStatus(AppStatus::protected_());
    model.setLastChecked(test.clock.now().addDays(-1));
    popover->refresh();
    EXPECT_EQ(text("check"), QStringLiteral("Data integrity verified"));
    EXPECT_EQ(text("checkDetail"), QStringLiteral("(hidden)"));
    model.setLastCheckFailure(CheckFailureReason::corruption);
    popover->refresh();
    EXPECT_EQ(text("check"), QStringLiteral("Check failed"));
    EXPECT_EQ(text("checkDetail"),
              QStringLiteral(
                  "Damaged data was found in the backup. Don't delete snapshots — check the repository."));

    EXPECT_EQ(text("protectedValue"), QStringLiteral("(hidden)"));
    popover->show();
    click("activityToggle");
    EXPECT_TRUE(model.showActivity());
    model.setStats({1'250'000'000, 4200, 0.02});
    model.setStorage({QStringLiteral("Scaleway"), QStringLiteral("Paris, France"), 900'000'000, true});
    const auto now = test.clock.now();
    model.setRecentBackups({{QUuid::createUuid(),
                             now.addSecs(-600),
                             12'000'000,
                             true,
                             {{BackupWarning::Kind::vanished, {}}},
                             23},
                            {QUuid::createUuid(), now.addDays(-1), 3'000, true, {}, std::nullopt}});
    popover->refresh();
    settle();
    EXPECT_EQ(popover->findChild<QToolButton*>(QStringLiteral("activityToggle"))->text(),
              QStringLiteral("Hide activity"));
    EXPECT_EQ(text("protectedValue"), QStringLiteral("1.25 GB"));
    EXPECT_EQ(text("protectedDetail"), QStringLiteral("4,200 files · source data"));
    EXPECT_EQ(text("storageValue"), QStringLiteral("900 MB"));
    EXPECT_TRUE(text("storageDetail").startsWith(QStringLiteral("stored after deduplication")));
    EXPECT_EQ(text("changeValue"), QStringLiteral("+12 MB"));
    const auto rows = popover->findChildren<QWidget*>(QStringLiteral("recentBackup"));
    QList<QWidget*> shown;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(shown),
                 [&](QWidget* row) { return row->isVisibleTo(popover.get()); });
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0]->toolTip(), QStringLiteral("Backed up with 23 exclusions"));
    EXPECT_EQ(shown[1]->toolTip(), QString());
}

TEST_F(Popover, clicksReachTheModel) {
    // Not set up: the action asks for the setup window.
    int setupRequests = 0;
    QObject::connect(&model, &AppModel::setupRequested, [&] { ++setupRequests; });
    model.setBaseStatus(AppStatus::needsSetup());
    popover->refresh();
    click("primaryAction");
    EXPECT_EQ(setupRequests, 1);

    // Pause choices and resume, through the rows.
    model.setBaseStatus(AppStatus::protected_());
    auto choices = actions.pauseChoices()->actions();
    choices[0]->trigger();
    EXPECT_TRUE(model.isPaused());
    EXPECT_EQ(model.pauseUntil(), test.clock.now().addSecs(3600));
    EXPECT_FALSE(actions.pause()->isVisible());
    EXPECT_TRUE(actions.resume()->isVisible());
    popover->refresh();
    click("primaryAction"); // "Resume"
    EXPECT_FALSE(model.isPaused());
    choices[3]->trigger(); // after the divider: indefinitely
    EXPECT_EQ(model.pauseUntil(), std::nullopt);
    actions.resume()->trigger();
    EXPECT_FALSE(model.isPaused());
    model.setBaseStatus(AppStatus::credentialsUnavailable());
    EXPECT_FALSE(actions.pause()->isVisible()); // nothing to pause before the credentials can be read

    // A running operation turns the action into Cancel, which stops it.
    model.setBaseStatus(AppStatus::protected_());
    auto* clock = &test.clock;
    bool stopped = false;
    model.controller().enqueue(RepositoryOperation::check,
                               [clock, &stopped](std::stop_token stop) -> QCoro::Task<void> {
                                   const bool elapsed = co_await sleepFor(clock, std::chrono::hours(1), stop);
                                   stopped = !elapsed;
                               });
    ASSERT_TRUE(spinUntil([&] { return model.controller().currentOperation().has_value(); }));
    popover->refresh();
    EXPECT_EQ(action(), QStringLiteral("Cancel"));
    click("primaryAction");
    ASSERT_TRUE(spinUntil([&] { return stopped; }));

    // The update row asks the updater, which logs the request.
    int checks = 0;
    QObject::connect(&actions, &AppActions::updateCheckRequested, [&] { ++checks; });
    actions.checkForUpdates()->trigger();
    EXPECT_EQ(checks, 1);
}

TEST_F(Popover, retryReadsTheCredentialsAgainAndTryAgainBacksUp) {
    test.storeConfiguration();
    FakeRestic fake;
    fake.respond({{QStringLiteral("snapshots"), QStringLiteral("echo '[]'")},
                  {QStringLiteral("backup"),
                   QStringLiteral("echo '{\"message_type\":\"summary\",\"snapshot_id\":\"abc\"}'")}});
    test.useFakeRestic(fake);
    model.setBaseStatus(AppStatus::credentialsUnavailable());
    popover->refresh();
    click("primaryAction"); // "Retry"
    ASSERT_TRUE(spinUntil([&] { return model.controller().isConfigured(); }));

    model.setLastBackupFailure(QStringLiteral("Backup failed."));
    model.setBaseStatus(AppStatus::error(QStringLiteral("Backup failed.")));
    ASSERT_TRUE(spinUntil([&] { return !model.controller().currentOperation(); }));
    popover->refresh();
    EXPECT_EQ(action(), QStringLiteral("Try again"));
    click("primaryAction");
    EXPECT_TRUE(model.controller().hasBackupTask());
    ASSERT_TRUE(spinUntil([&] { return !model.controller().hasBackupTask(); }));
    await(model.controller().whenIdle());
}

TEST(Mark, hasFiveStatesDrawnDistinctlyAndAnimates) {
    using KeldoranMark::State;
    EXPECT_EQ(KeldoranMark::stateFor(AppStatus::protected_()), State::closed);
    EXPECT_EQ(KeldoranMark::stateFor(AppStatus::backingUp({})), State::broken);
    EXPECT_EQ(KeldoranMark::stateFor(AppStatus::needsSetup()), State::outlined);
    EXPECT_EQ(KeldoranMark::stateFor(AppStatus::paused()), State::dimmed);
    EXPECT_EQ(KeldoranMark::stateFor(AppStatus::error(QStringLiteral("x"))), State::lifted);

    const auto render = [](State state) {
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        KeldoranMark::paint(painter, QRectF(0, 0, 16, 16), KeldoranMark::shapeOf(state), 0, Qt::black);
        return image;
    };
    const QList<State> states{State::closed, State::broken, State::outlined, State::dimmed, State::lifted};
    for (int a = 0; a < states.size(); ++a) {
        for (int b = a + 1; b < states.size(); ++b) {
            EXPECT_NE(render(states[a]), render(states[b])) << a << " " << b;
        }
    }
    int strongest = 0;
    const auto dimmed = render(State::dimmed);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            strongest = std::max(strongest, qAlpha(dimmed.pixel(x, y)));
        }
    }
    EXPECT_NEAR(strongest, 0.4 * 255, 3);

    MarkAnimator animator;
    animator.setState(State::broken);
    EXPECT_TRUE(animator.isSpinning());
    ASSERT_TRUE(spinUntil([&] { return animator.shape() == KeldoranMark::shapeOf(State::broken); }, 400));
    animator.setReducedMotion(true);
    EXPECT_FALSE(animator.isSpinning());
    animator.setState(State::dimmed); // without motion the change is immediate
    EXPECT_EQ(animator.shape(), KeldoranMark::shapeOf(State::dimmed));
}

TEST(SymbolTable, everySymbolHasAShippedIconThatDraws) {
    for (const auto& entry : Symbols::table()) {
        const auto image = Symbols::shippedIcon(QString::fromLatin1(entry.symbol)).pixmap(16, 16).toImage();
        int painted = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                painted += qAlpha(image.pixel(x, y)) > 0;
            }
        }
        EXPECT_GT(painted, 12) << entry.symbol;
    }
}

TEST(Shell, opensTheSetupWindowOnceAndThePopoverAsAWindowWithoutATray) {
    TestPlatform test;
    MenuBarApp app(test.platform());
    ASSERT_TRUE(app.launch());
    bool terminated = false;
    app.terminate = [&] {
        terminated = true;
    };
    RecordingWorkspace workspace;
    DesktopShell shell(app, workspace);
    shell.start();
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()); // offscreen
    ASSERT_NE(shell.popover(), nullptr);
    EXPECT_TRUE(shell.popover()->isVisible());
    EXPECT_TRUE(shell.popover()->windowFlags().testFlag(Qt::Window));
    EXPECT_FALSE(shell.popover()->windowFlags().testFlag(Qt::Popup));

    auto* setup = shell.showSetup();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Set up Keldoran"));
    EXPECT_EQ(setup->onboarding().step(), OnboardingModel::Step::welcome);
    EXPECT_EQ(shell.showSetup(OnboardingModel::Step::password), setup); // raised, step ignored
    EXPECT_EQ(setup->onboarding().step(), OnboardingModel::Step::welcome);
    setup->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shell.showSetup(OnboardingModel::Step::password)->onboarding().step(),
              OnboardingModel::Step::password);

    auto* restore = shell.showRestore();
    EXPECT_EQ(restore->windowTitle(), QStringLiteral("Restore — Keldoran"));
    EXPECT_EQ(shell.showRestore(), restore);
    restore->close();
    auto* preferences = shell.showPreferences();
    EXPECT_EQ(preferences->windowTitle(), QStringLiteral("Keldoran Preferences"));

    // A setup request from the model (Back up now before setup) raises the window; Quit runs the quit
    // sequence.
    app.model().backUpNow();
    EXPECT_TRUE(shell.showSetup()->isVisible());
    shell.actions().quit()->trigger();
    EXPECT_TRUE(terminated);
}
