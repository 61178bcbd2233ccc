// The setup window's screens over a real onboarding model, offscreen; other S3-compatible storage against
// the S3 test server.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "restic/restic.h"
#include "storage/storage_config.h"
#include "storage/validation.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/s3_test_server.h"
#include "support/test_platform.h"
#include "widgets/setup/onboarding_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

namespace keldoran {

namespace {

class NoWorkspace : public Workspace {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    void reveal(const QString&, std::function<void()>) override {}
    QList<QUrl> opened;
};

class SetupWindow : public ::testing::Test {
protected:
    SetupWindow() {
        auto onboarding = std::make_unique<OnboardingModel>(StorageProvider::scaleway(), test.clock,
                                                            test.settings(), test.home());
        window = std::make_unique<OnboardingWindow>(model, std::move(onboarding), workspace,
                                                    [this] { return accessGranted; });
        window->onboarding().validationDebounce = std::chrono::milliseconds(0);
        window->show();
    }

    QPushButton* forward() { return window->findChild<QPushButton*>(QStringLiteral("forward")); }
    QString label(const char* name) { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    void type(const char* field, const QString& text) {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(field));
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }

    TestPlatform test;
    AppModel model{test.platform()};
    NoWorkspace workspace;
    bool accessGranted = false;
    std::unique_ptr<OnboardingWindow> window;
};

} // namespace

TEST_F(SetupWindow, leadsThroughTheScreensWithTheForwardButtonEnabledPerStep) {
    auto& onboarding = window->onboarding();
    QList<std::tuple<StorageConfig, QString, QString>> probes;
    onboarding.setValidator(
        [&probes](StorageConfig config, QString access, QString secret) -> QCoro::Task<Validation> {
            probes.append({config, access, secret});
            co_return Validation::reachableNeedsInit();
        });

    EXPECT_EQ(label("stepCounter"), QStringLiteral("Step 1 of 8"));
    EXPECT_EQ(forward()->text(), QStringLiteral("Get started"));
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("back"))->isEnabled());
    QTest::mouseClick(forward(), Qt::LeftButton);

    // The home folder is checked when the screen shows; "Check again" asks once more.
    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::fullDiskAccess);
    EXPECT_FALSE(forward()->isEnabled());
    accessGranted = true;
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("checkAgain")), Qt::LeftButton);
    EXPECT_TRUE(forward()->isEnabled());
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("accessGrantedRow"))->isVisible());
    QTest::keyClick(window.get(), Qt::Key_Return); // the forward button is the default

    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::chooseProvider);
    EXPECT_EQ(forward()->text(), QStringLiteral("Continue with Scaleway"));
    // One provider of the catalogue is offered; other S3-compatible storage waits behind the toggle.
    EXPECT_TRUE(window->findChild<QToolButton*>(QStringLiteral("otherProvidersToggle"))->isVisible());
    EXPECT_FALSE(window->findChild<QToolButton*>(QStringLiteral("provider-custom"))->isVisible());
    EXPECT_EQ(window->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^provider-"))).size(), 2);
    QTest::mouseClick(forward(), Qt::LeftButton);

    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::connectStorage);
    EXPECT_EQ(
        label("connectText"),
        QStringLiteral("Paste the two keys from your Scaleway storage page. Keldoran keeps them in your "
                       "keyring — they never leave this device."));
    EXPECT_FALSE(forward()->isEnabled());
    type("bucket", QStringLiteral("photos"));
    type("accessKey", QStringLiteral("SCWACCESSKEY"));
    type("secretKey", QStringLiteral("secret"));
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("secretKey"))->echoMode(), QLineEdit::Password);
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("revealSecret")), Qt::LeftButton);
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("secretKey"))->echoMode(), QLineEdit::Normal);
    // The pause after typing runs on the injected clock.
    ASSERT_TRUE(spinUntil([&] {
        test.clock.advance(1);
        return forward()->isEnabled();
    }));
    EXPECT_EQ(label("connection"), QStringLiteral("Connected — bucket photos found in Paris"));
    ASSERT_FALSE(probes.isEmpty());
    EXPECT_EQ(std::get<0>(probes.last()).bucket, QStringLiteral("photos"));
    EXPECT_EQ(std::get<1>(probes.last()), QStringLiteral("SCWACCESSKEY"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("viewGuide")), Qt::LeftButton);
    EXPECT_EQ(workspace.opened, QList<QUrl>{QUrl(QStringLiteral("https://keldoran.app/setup/scaleway"))});
    QTest::mouseClick(forward(), Qt::LeftButton);

    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::region);
    EXPECT_EQ(label("regionBucket"), QStringLiteral("Bucket photos"));
    EXPECT_EQ(label("otherRegions"),
              QStringLiteral("Want a different region? Create your bucket in Amsterdam or Warsaw at Scaleway "
                             "instead — the location is set there, not here."));
    QTest::mouseClick(forward(), Qt::LeftButton);

    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::password);
    EXPECT_FALSE(forward()->isEnabled());
    type("password", QStringLiteral("short"));
    EXPECT_EQ(label("passwordMessage"), QStringLiteral("Use at least 8 characters."));
    type("password", QStringLiteral(" enough"));
    type("confirmPassword", QStringLiteral("short enougH"));
    EXPECT_EQ(label("passwordMessage"), QStringLiteral("Passwords don't match."));
    EXPECT_FALSE(forward()->isEnabled());
    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("confirmPassword")), Qt::Key_Backspace);
    type("confirmPassword", QStringLiteral("h"));
    EXPECT_EQ(label("passwordMessage"), QString());
    EXPECT_TRUE(forward()->isEnabled());
    QTest::mouseClick(forward(), Qt::LeftButton);

    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::scope);
    // The summary counts entries "from this list": the list is on the screen.
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("exclusionList"))->count(), 22);
    EXPECT_TRUE(
        label("scopeSummary")
            .startsWith(QStringLiteral("Next backup: your home folder, minus 22 entries from this list")));
    QTest::mouseClick(forward(), Qt::LeftButton);
    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::done);
    EXPECT_EQ(forward()->text(), QStringLiteral("Start using Keldoran"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("back")), Qt::LeftButton);
    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::scope);
}

TEST_F(SetupWindow, aFailedFinishShowsTheErrorAndStaysOnTheLastScreen) {
    // Nothing answers at this endpoint and no restic lies where the platform looks: setup cannot complete.
    test.platform().resticDirectory = test.home() + QStringLiteral("/no-restic-here");
    auto& onboarding = window->onboarding();
    onboarding.setStep(OnboardingModel::Step::done);
    bool completed = false;
    QObject::connect(window.get(), &OnboardingWindow::completed, [&] { completed = true; });
    EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("setupErrorBox"))->isVisible());
    QTest::mouseClick(forward(), Qt::LeftButton);
    ASSERT_TRUE(spinUntil([&] { return !window->setupError().isEmpty(); }));
    EXPECT_FALSE(completed);
    EXPECT_EQ(onboarding.step(), OnboardingModel::Step::done);
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("setupErrorBox"))->isVisible());
    EXPECT_EQ(label("setupError"), window->setupError());
    EXPECT_TRUE(forward()->isEnabled()); // the user may try again
}

// A bucket that already holds a backup: the password step asks for that backup's password, checks it
// with restic against the repository before Continue, and says so when it does not open it.
TEST_F(SetupWindow, theExistingBackupsPasswordIsCheckedBeforeContinue) {
    LocalRepository repository;
    repository.initialise();
    FakeRestic restic;
    test.useFakeRestic(restic);
    restic.defaultStep(QStringLiteral("exec '%1' -r '%2' \"$@\"").arg(realRestic().path, repository.path()));
    auto& onboarding = window->onboarding();
    onboarding.setValidator([](StorageConfig, QString, QString) -> QCoro::Task<Validation> {
        co_return Validation::reachableExistingRepo();
    });
    onboarding.setAccessKey(QStringLiteral("SCWACCESSKEY"));
    onboarding.setSecretKey(QStringLiteral("secret"));
    onboarding.setBucket(QStringLiteral("photos"));
    onboarding.scheduleValidation();
    ASSERT_TRUE(spinUntil([&] {
        test.clock.advance(1);
        return onboarding.connection().state == OnboardingModel::Connection::State::connected;
    }));
    onboarding.setStep(OnboardingModel::Step::password);
    EXPECT_EQ(label("passwordTitle"), QStringLiteral("Enter your backup password"));
    EXPECT_EQ(label("passwordText"),
              QStringLiteral("Enter the backup password you chose when you first set up Keldoran"));
    EXPECT_FALSE(window->findChild<QLineEdit*>(QStringLiteral("confirmPassword"))->isVisible());

    // The pause after typing passes on the injected clock; restic's answer is awaited without it.
    const auto checked = [&] {
        return spinUntil([&] {
            const auto check = onboarding.passwordCheck();
            if (check == OnboardingModel::PasswordCheck::unchecked) {
                test.clock.advance(1);
            }
            return check != OnboardingModel::PasswordCheck::unchecked &&
                   check != OnboardingModel::PasswordCheck::checking;
        });
    };
    type("password", QStringLiteral("not the one"));
    EXPECT_FALSE(forward()->isEnabled());
    ASSERT_TRUE(checked());
    EXPECT_EQ(label("passwordMessage"), QStringLiteral("That password doesn't open this backup."));
    EXPECT_FALSE(forward()->isEnabled());
    window->findChild<QLineEdit*>(QStringLiteral("password"))->clear();
    type("password", QString::fromLatin1(LocalRepository::password));
    ASSERT_TRUE(checked());
    EXPECT_EQ(label("passwordMessage"), QString());
    EXPECT_TRUE(forward()->isEnabled());
}

// App data (mail, browser profiles) is skipped unless the user asks for it on the scope screen.
TEST_F(SetupWindow, theScopeScreenOffersAppDataOffByDefault) {
    window->onboarding().setStep(OnboardingModel::Step::scope);
    auto* appData = window->findChild<QCheckBox*>(QStringLiteral("appData"));
    ASSERT_NE(appData, nullptr);
    EXPECT_TRUE(appData->isVisible());
    EXPECT_EQ(appData->accessibleName(),
              QStringLiteral("Also back up app data such as mail and browser profiles"));
    EXPECT_FALSE(appData->isChecked());
    const auto before = label("scopeSummary");
    QTest::mouseClick(appData, Qt::LeftButton);
    EXPECT_TRUE(window->onboarding().scope().keepsAppData());
    EXPECT_TRUE(model.scope().keepsAppData()); // the same settings
    QStringList listed;
    for (const auto& item : model.excludes()) {
        listed.append(item.path);
    }
    EXPECT_TRUE(listed.contains(QStringLiteral("~/.local/share/Trash")));
    EXPECT_TRUE(listed.contains(QStringLiteral(".var/app/*/cache")));
    auto* list = window->findChild<QListWidget*>(QStringLiteral("exclusionList"));
    EXPECT_EQ(list->item(list->count() - 1)->text(), QStringLiteral(".var/app/*/cache"));
    EXPECT_TRUE(label("scopeSummary").endsWith(QStringLiteral("Also backs up 4 hidden folders you chose.")))
        << label("scopeSummary").toStdString();
    QTest::mouseClick(appData, Qt::LeftButton);
    EXPECT_FALSE(window->onboarding().scope().keepsAppData());
    EXPECT_EQ(label("scopeSummary"), before);
}

// A mistyped bucket is not "found": Continue stays off until the user lets Keldoran create it.
TEST_F(SetupWindow, aMissingBucketKeepsContinueOffUnlessTheUserLetsKeldoranCreateIt) {
    auto& onboarding = window->onboarding();
    onboarding.setValidator([](StorageConfig, QString, QString) -> QCoro::Task<Validation> {
        co_return Validation::bucketMissing();
    });
    onboarding.setStep(OnboardingModel::Step::connectStorage);
    type("bucket", QStringLiteral("alex-laptop-bakup"));
    type("accessKey", QStringLiteral("SCWACCESSKEY"));
    type("secretKey", QStringLiteral("secret"));
    ASSERT_TRUE(spinUntil([&] {
        test.clock.advance(1);
        return onboarding.connection().state == OnboardingModel::Connection::State::bucketMissing;
    }));
    EXPECT_EQ(label("connection"),
              QStringLiteral("There's no bucket named alex-laptop-bakup in Paris. Create it "
                             "on your provider's page, or check the name."));
    EXPECT_FALSE(forward()->isEnabled());
    auto* create = window->findChild<QCheckBox*>(QStringLiteral("createBucket"));
    ASSERT_TRUE(create->isVisible());
    EXPECT_EQ(create->text(), QStringLiteral("Let Keldoran create the bucket alex-laptop-bakup"));
    QTest::mouseClick(create, Qt::LeftButton);
    EXPECT_TRUE(forward()->isEnabled());
    // Another name is another question.
    type("bucket", QStringLiteral("x"));
    EXPECT_FALSE(forward()->isEnabled());
    ASSERT_TRUE(spinUntil([&] {
        test.clock.advance(1);
        return onboarding.connection().state == OnboardingModel::Connection::State::bucketMissing;
    }));
    EXPECT_FALSE(create->isChecked());
    EXPECT_FALSE(forward()->isEnabled());
}

// The last screen claims nothing before it is true: it says what the button will do, what is happening
// while the backup is created, and that the first backup is starting once it is.
TEST_F(SetupWindow, theLastScreenSaysWhatIsHappeningAndWhatComesNext) {
    FakeRestic fake;
    const auto fixtures = QStringLiteral(KELDORAN_FIXTURES "/restic-0.18/");
    fake.respond(
        {{QStringLiteral("cat"),
          QStringLiteral("sleep 0.2; cat '%1catconfig-norepo.stderr.txt' >&2; exit 10").arg(fixtures)},
         {QStringLiteral("init"), QStringLiteral("cat '%1init-json.stdout.txt'").arg(fixtures)}});
    test.useFakeRestic(fake);
    auto& onboarding = window->onboarding();
    onboarding.setBucket(QStringLiteral("photos"));
    onboarding.setPassword(QStringLiteral("a good password"));
    onboarding.setStep(OnboardingModel::Step::done);
    const auto titles = window->findChildren<QLabel*>(QStringLiteral("pageTitle"));
    QStringList shownTitles;
    for (auto* title : titles) {
        if (title->isVisible()) {
            shownTitles.append(title->text());
        }
    }
    EXPECT_EQ(shownTitles, QStringList{QStringLiteral("Ready to start")});
    EXPECT_EQ(label("doneText"),
              QStringLiteral("Keldoran will create your encrypted backup in bucket photos and "
                             "start the first backup. Keldoran lives in the system tray — look "
                             "for the ring icon."));
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("finishStatus"))->isVisible());
    bool completed = false;
    QObject::connect(window.get(), &OnboardingWindow::completed, [&] { completed = true; });
    QTest::mouseClick(forward(), Qt::LeftButton);
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("finishStatus"))->isVisible());
    EXPECT_EQ(label("finishStatus"), QStringLiteral("Creating your backup…"));
    EXPECT_TRUE(window->findChild<QProgressBar*>(QStringLiteral("finishBusy"))->isVisible());
    EXPECT_FALSE(forward()->isEnabled());
    ASSERT_TRUE(spinUntil([&] { return completed || !window->setupError().isEmpty(); }));
    EXPECT_EQ(window->setupError(), QString());
    EXPECT_EQ(label("finishStatus"), QStringLiteral("Your first backup is starting now."));
    EXPECT_FALSE(window->findChild<QProgressBar*>(QStringLiteral("finishBusy"))->isVisible());
    ASSERT_TRUE(spinUntil([&] {
        return !model.controller().currentOperation().has_value() &&
               model.controller().queuedOperationCount() == 0;
    }));
}

// A home folder that can be read needs no access step: seven steps, passed over both ways.
TEST_F(SetupWindow, theAccessStepIsSkippedWhenTheHomeFolderCanBeRead) {
    accessGranted = true;
    auto onboarding = std::make_unique<OnboardingModel>(StorageProvider::scaleway(), test.clock,
                                                        test.settings(), test.home());
    OnboardingWindow readable(model, std::move(onboarding), workspace, [this] { return accessGranted; });
    readable.show();
    const auto counter = [&] {
        return readable.findChild<QLabel*>(QStringLiteral("stepCounter"))->text();
    };
    auto* forwardButton = readable.findChild<QPushButton*>(QStringLiteral("forward"));
    EXPECT_EQ(counter(), QStringLiteral("Step 1 of 7"));
    QTest::mouseClick(forwardButton, Qt::LeftButton);
    EXPECT_EQ(readable.onboarding().step(), OnboardingModel::Step::chooseProvider);
    EXPECT_EQ(counter(), QStringLiteral("Step 2 of 7"));
    QTest::mouseClick(readable.findChild<QPushButton*>(QStringLiteral("back")), Qt::LeftButton);
    EXPECT_EQ(readable.onboarding().step(), OnboardingModel::Step::welcome);
    readable.onboarding().setStep(OnboardingModel::Step::done);
    EXPECT_EQ(counter(), QStringLiteral("Step 7 of 7"));
}

// Tab goes through the screen's own controls first, then Back, then Continue.
TEST_F(SetupWindow, tabReachesTheScreensControlsThenBackThenContinue) {
    window->onboarding().setStep(OnboardingModel::Step::scope);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QWidget*>(QStringLiteral("exclusionList"))->setFocus();
    QStringList order;
    for (int press = 0; press < 6; ++press) {
        auto* focused = QApplication::focusWidget();
        order.append(focused ? focused->objectName() : QStringLiteral("-"));
        QTest::keyClick(focused ? focused : window.get(), Qt::Key_Tab);
    }
    EXPECT_EQ(order,
              (QStringList{"exclusionList", "reviewScope", "appData", "back", "forward", "exclusionList"}))
        << order.join(QLatin1Char(' ')).toStdString();
}

// Other S3-compatible storage through the setup window, named only by its address (the override that
// otherwise replaces every endpoint is not set): connected, set up, and the first backup lands there.
TEST(OtherS3Storage, theSetupWindowConnectsItByItsAddressAndTheFirstBackupLandsThere) {
    S3TestServer server;
    ASSERT_TRUE(server.isRunning());
    TestPlatform test;
    server.addClientEnvironment(test.platform().environment);
    test.platform().environment.remove(QStringLiteral("KELDORAN_S3_ENDPOINT"));
    writeFile(test.home() + QStringLiteral("/Documents/report.pdf"), "the report");
    AppModel model(test.platform());
    NoWorkspace workspace;
    OnboardingWindow window(model,
                            std::make_unique<OnboardingModel>(StorageProvider::scaleway(), test.clock,
                                                              test.settings(), test.home()),
                            workspace, [] { return true; });
    auto& onboarding = window.onboarding();
    onboarding.validationDebounce = std::chrono::milliseconds(0);
    window.show();
    auto* forward = window.findChild<QPushButton*>(QStringLiteral("forward"));
    const auto type = [&](const char* field, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(field));
        ASSERT_TRUE(edit && edit->isVisible()) << field;
        edit->setFocus();
        QTest::keyClicks(edit, text);
    };

    QTest::mouseClick(forward, Qt::LeftButton);
    ASSERT_EQ(onboarding.step(), OnboardingModel::Step::chooseProvider);
    QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("otherProvidersToggle")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("provider-custom")), Qt::LeftButton);
    QTest::mouseClick(forward, Qt::LeftButton);
    ASSERT_EQ(onboarding.step(), OnboardingModel::Step::connectStorage);
    type("customAddress", QStringLiteral("http://s3.example.com"));
    type("bucket", QString::fromLatin1(S3TestServer::bucket));
    type("accessKey", QStringLiteral("S3RVER"));
    type("secretKey", QStringLiteral("S3RVER"));
    ASSERT_TRUE(spinUntil(
        [&] { return onboarding.connection().state == OnboardingModel::Connection::State::failed; }));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("connection"))->text(),
              SetupMessages::endpointNotHttps());
    window.findChild<QLineEdit*>(QStringLiteral("customAddress"))->clear();
    type("customAddress", QStringLiteral("https://") + server.endpoint());
    // The pause after typing runs on the injected clock.
    ASSERT_TRUE(spinUntil(
        [&] {
            test.clock.advance(1);
            return forward->isEnabled();
        },
        60000))
        << window.findChild<QLabel*>(QStringLiteral("connection"))->text().toStdString();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("connection"))->text(),
              QStringLiteral("Connected — bucket keldoran-test found in ") + server.endpoint());
    QTest::mouseClick(forward, Qt::LeftButton);
    ASSERT_EQ(onboarding.step(), OnboardingModel::Step::region);
    QTest::mouseClick(forward, Qt::LeftButton);
    type("password", QStringLiteral("a sturdy password"));
    type("confirmPassword", QStringLiteral("a sturdy password"));
    ASSERT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QTest::mouseClick(forward, Qt::LeftButton);
    ASSERT_EQ(onboarding.step(), OnboardingModel::Step::done);
    QTest::mouseClick(forward, Qt::LeftButton);

    ASSERT_TRUE(spinUntil([&] { return model.lastBackup().has_value(); }, 120000));
    await(model.controller().whenIdle());
    const auto stored = StorageConfig::load(test.settings());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->region.endpointUrl(), QStringLiteral("https://") + server.endpoint());
    // The snapshot is in the server's bucket, read back by a restic that is given nothing but the address.
    const auto repository = stored->repository(QStringLiteral("S3RVER"), QStringLiteral("S3RVER"),
                                               QStringLiteral("a sturdy password"));
    const Restic restic(ResticProcess(realRestic(), repository,
                                      {test.platform().environment, test.platform().folders.caches}));
    const auto entries = await(restic.ls(QStringLiteral("latest"), {}));
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const LsEntry& entry) {
        return entry.path == test.home() + QStringLiteral("/Documents/report.pdf");
    }));
}

} // namespace keldoran
