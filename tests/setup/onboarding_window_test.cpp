// The setup window's screens over a real onboarding model, offscreen.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "setup/onboarding_window.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class NoWorkspace : public Workspace {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    void reveal(const QString&) override {}
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
    EXPECT_FALSE(window->findChild<QToolButton*>(QStringLiteral("otherProvidersToggle"))
                     ->isVisible()); // only one is offered
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
