// The status popover, its menu rows, the shell's windows and the mark, as real widgets offscreen.
#include "app/desktop_shell.h"
#include "app/menu_bar_app.h"
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/clock.h"
#include "platform/workspace.h"
#include "presentation/status_presentation.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/log_capture.h"
#include "support/test_platform.h"
#include "widgets/app_actions.h"
#include "widgets/keldoran_mark.h"
#include "widgets/mark_animator.h"
#include "widgets/preferences_window.h"
#include "widgets/restore/restore_window.h"
#include "widgets/setup/onboarding_window.h"
#include "widgets/status_popover.h"
#include "widgets/symbols.h"
#include "widgets/tray_item.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace keldoran {

namespace {

class RecordingWorkspace : public Workspace {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    void reveal(const QString& path, std::function<void()>) override { revealed.append(path); }
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

// The popover draws what the status presentation says (its words are tested there), for every status:
// the title, the subtitle, the main button's words and whether it can be pressed, and the next backup
// only when there is one.
TEST_F(Popover, drawsWhatThePresentationSaysInEveryStatus) {
    const auto now = test.clock.now();
    model.setLastBackup(now.addSecs(-2 * 3600));
    model.setNextBackup(now.addSecs(45 * 60));
    const QList<std::tuple<AppStatus, bool, bool>> rows{
        {AppStatus::protected_(), false, true},
        {AppStatus::protectedWithWarnings(3), false, true},
        {AppStatus::backingUp({0.25, 10, 40}), false, true},
        {AppStatus::backingUp({0.429, 10, 0}), false, true},
        {AppStatus::error("Repository password is incorrect."), false, true},
        {AppStatus::needsSetup(), false, true},
        {AppStatus::credentialsUnavailable(), false, true},
        {AppStatus::fullDiskAccessRequired(), false, true},
        {AppStatus::protected_(), true, true},
        {AppStatus::protected_(), false, false},
    };
    auto* primary = popover->findChild<QPushButton*>(QStringLiteral("primaryAction"));
    QSet<QString> titles;
    for (const auto& [status, paused, online] : rows) {
        model.setBaseStatus(status);
        model.setIsPaused(paused);
        model.setIsOnline(online);
        popover->refresh();
        const auto expected = StatusPresentation::current(model);
        titles.insert(expected.title);
        EXPECT_EQ(text("title"), expected.title);
        EXPECT_EQ(text("subtitle"), expected.subtitle) << expected.title.toStdString();
        EXPECT_EQ(action(), expected.primaryAction) << expected.title.toStdString();
        EXPECT_EQ(primary->isEnabled(), expected.actionEnabled) << expected.title.toStdString();
        EXPECT_EQ(text("nextBackup"), expected.nextBackup.value_or(QStringLiteral("(hidden)")))
            << expected.title.toStdString();
    }
    EXPECT_EQ(titles.size(), 9);        // every status looks different (two backing-up rows share a title)
    EXPECT_FALSE(primary->isEnabled()); // waiting for network
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

// A backup of a few large files moves in bytes, not files: bytes and the time left come first, the
// file count under them, with a bar; without a byte total the file count stays the subtitle.
TEST_F(Popover, showsBackupProgressInBytesWithTimeLeftAndABar) {
    popover->show();
    model.setBaseStatus(AppStatus::backingUp({0.6, 416, 427, 1200000000, 2000000000, 190}));
    popover->refresh();
    EXPECT_EQ(text("subtitle"), QStringLiteral("1.2 GB of 2 GB · about 3 minutes left"));
    EXPECT_EQ(text("progressDetail"), QStringLiteral("416 of 427 files"));
    auto* bar = popover->findChild<QProgressBar*>(QStringLiteral("backupProgress"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisibleTo(popover.get()));
    EXPECT_EQ(bar->value(), 600);

    for (const auto& [seconds, left] : QList<std::pair<qint64, QString>>{{20, "less than a minute left"},
                                                                         {65, "about 1 minute left"},
                                                                         {5400, "about 2 hours left"},
                                                                         {3599, "about 60 minutes left"}}) {
        model.setBaseStatus(AppStatus::backingUp({0.6, 1, 1, 5000, 10000, seconds}));
        popover->refresh();
        EXPECT_EQ(text("subtitle"), QStringLiteral("5 KB of 10 KB · ") + left);
        EXPECT_EQ(text("progressDetail"), QStringLiteral("1 of 1 file"));
    }

    // Before restic knows the total, the file count is all there is.
    model.setBaseStatus(AppStatus::backingUp({0.25, 10, 40}));
    popover->refresh();
    EXPECT_EQ(text("subtitle"), QStringLiteral("10 of 40 files"));
    EXPECT_EQ(text("progressDetail"), QStringLiteral("(hidden)"));
    EXPECT_EQ(bar->value(), 250);

    model.setBaseStatus(AppStatus::protected_());
    popover->refresh();
    EXPECT_FALSE(bar->isVisibleTo(popover.get()));
}

// A backup a quit interrupted is told until it runs again; background backups that could not be
// registered are told with the reason, and can be asked for again.
TEST_F(Popover, tellsAnInterruptedBackupAndAFailedRegistration) {
    const auto now = test.clock.now();
    model.setLastBackup(now.addSecs(-2 * 3600));
    model.setBaseStatus(AppStatus::protected_());
    model.setLastBackupUnfinished(true);
    popover->refresh();
    EXPECT_EQ(text("title"), QStringLiteral("Last backup didn't finish"));
    EXPECT_EQ(text("subtitle"), QStringLiteral("It continues where it left off. Backed up 2 hours ago."));
    EXPECT_EQ(AppModel(test.platform()).lastBackupUnfinished(), true); // kept across launches
    model.setBaseStatus(AppStatus::backingUp({}));
    popover->refresh();
    EXPECT_EQ(text("title"), QStringLiteral("Backing up…"));
    model.setLastBackupUnfinished(false);
    model.setBaseStatus(AppStatus::protected_());
    popover->refresh();
    EXPECT_EQ(text("title"), QStringLiteral("Protected"));

    EXPECT_FALSE(popover->findChild<QWidget*>(QStringLiteral("registration"))->isVisibleTo(popover.get()));
    model.setAgentRegistrationProblem(QStringLiteral("no systemd user session"));
    popover->refresh();
    EXPECT_EQ(text("registrationWarning"),
              QStringLiteral("Background backups aren't set up (no systemd user session). Backups run only "
                             "while Keldoran is open."));
    int requests = 0;
    QObject::connect(&model, &AppModel::agentRegistrationRequested, [&] { ++requests; });
    auto* again = popover->findChild<QPushButton*>(QStringLiteral("registerAgain"));
    EXPECT_EQ(again->text(), QStringLiteral("Set up background backups again"));
    click("registerAgain");
    EXPECT_EQ(requests, 1);
}

// The tray's menu backs up like the popover's button, and not while a backup runs; a build without an
// update feed shows no update row (its package manager updates it).
TEST_F(Popover, theTrayMenuBacksUpNowAndTheUpdateRowNeedsAFeed) {
    QMenu menu;
    actions.addRowsTo(&menu);
    ASSERT_FALSE(menu.actions().isEmpty());
    auto* first = menu.actions().first();
    EXPECT_EQ(first->text(), QStringLiteral("Back up now"));
    model.setBaseStatus(AppStatus::protected_());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isEnabled());
    int setupRequests = 0;
    QObject::connect(&model, &AppModel::setupRequested, [&] { ++setupRequests; });
    first->trigger(); // not configured: the setup window, as the popover's button does
    EXPECT_EQ(setupRequests, 1);
    model.setBaseStatus(AppStatus::backingUp({0.5, 1, 2}));
    EXPECT_FALSE(first->isEnabled());
    model.setBaseStatus(AppStatus::needsSetup());
    EXPECT_FALSE(first->isVisible());

    popover->show();
    settle();
    const auto rowTexts = [](QWidget* widget) {
        QStringList texts;
        for (auto* row : widget->findChildren<QToolButton*>()) {
            if (row->isVisibleTo(widget)) {
                texts.append(row->text());
            }
        }
        return texts;
    };
    EXPECT_FALSE(rowTexts(popover.get()).contains(QStringLiteral("Check for updates…")));
    EXPECT_FALSE(menu.actions().contains(actions.checkForUpdates()) &&
                 actions.checkForUpdates()->isVisible());
    AppActions withFeed(model, true);
    StatusPopover another(model, withFeed, mark);
    another.show();
    settle();
    EXPECT_TRUE(rowTexts(&another).contains(QStringLiteral("Check for updates…")));
}

// Told apart at tray sizes: every pair of the five states differs clearly at 22 px (not a few antialiased
// pixels), and the mark never draws a bar across the ring's middle, where a prohibition sign has one.
TEST(Mark, everyPairOfStatesDiffersClearlyAtTraySizesAndNothingCrossesTheMiddle) {
    using KeldoranMark::State;
    const auto render = [](State state, int size) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        KeldoranMark::paint(painter, QRectF(0, 0, size, size), KeldoranMark::shapeOf(state), 0, Qt::black);
        painter.end();
        return image;
    };
    // The difference in whole pixels: antialiased edges count by how much they differ.
    const auto clearlyDifferent = [](const QImage& a, const QImage& b) {
        int total = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                total += std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y)));
            }
        }
        return total / 255;
    };
    const QList<State> states{State::closed, State::broken, State::outlined, State::dimmed, State::lifted};
    for (const int size : {16, 22, 24}) {
        for (int a = 0; a < states.size(); ++a) {
            for (int b = a + 1; b < states.size(); ++b) {
                const auto differing = clearlyDifferent(render(states[a], size), render(states[b], size));
                // A tenth of the mark's area: 48 of 484 pixels at 22 px.
                EXPECT_GE(differing, size * size / 10) << size << " px, states " << a << " and " << b;
            }
        }
    }
    for (const auto state : states) {
        const auto image = render(state, 22);
        // The middle of the ring (a 6-pixel square at the centre) stays empty in every state.
        for (int y = 8; y < 14; ++y) {
            for (int x = 8; x < 14; ++x) {
                EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << int(state) << " at " << x << "," << y;
            }
        }
    }
    // On a light panel the mark is dark, on a dark one light: each contrasts with its panel.
    const auto contrast = [](const QColor& mark, const QColor& panel) {
        return std::abs(mark.lightness() - panel.lightness());
    };
    EXPECT_GE(contrast(KeldoranMark::panelColour(true), QColor(0x24, 0x24, 0x24)), 150);
    EXPECT_GE(contrast(KeldoranMark::panelColour(false), QColor(0xf0, 0xf0, 0xf0)), 150);
}

} // namespace keldoran
