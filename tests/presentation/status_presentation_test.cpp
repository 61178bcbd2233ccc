#include "presentation/status_presentation.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

class Presentation : public ::testing::Test {
protected:
    StatusPresentation shown(bool running = false, bool granted = true) {
        return StatusPresentation::of(model, running, granted, QStringLiteral("/home/u"), test.clock.now());
    }

    TestPlatform test;
    AppModel model{test.platform()};
};

} // namespace

TEST_F(Presentation, titlesSubtitlesAndActionsForEveryStatus) {
    const auto now = test.clock.now();
    model.setLastBackup(now.addSecs(-7200));
    model.setNextBackup(now.addSecs(45 * 60));
    model.setBaseStatus(AppStatus::protected_());
    auto text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Protected"));
    EXPECT_EQ(text.subtitle, QStringLiteral("Backed up 2 hours ago"));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Back up now"));
    EXPECT_EQ(text.nextBackup, QStringLiteral("Next backup in 45 min"));
    EXPECT_EQ(shown(true).primaryAction, QStringLiteral("Cancel"));
    // The next backup in whole minutes, then whole hours; one already due is "in 0 min".
    const std::pair<qint64, const char*> nextBackups[] = {{59 * 60 + 59, "Next backup in 59 min"},
                                                          {60 * 60, "Next backup in 1 h"},
                                                          {119 * 60, "Next backup in 1 h"},
                                                          {-30, "Next backup in 0 min"}};
    for (const auto& [seconds, line] : nextBackups) {
        model.setNextBackup(now.addSecs(seconds));
        EXPECT_EQ(shown().nextBackup, QString::fromUtf8(line));
    }
    model.setNextBackup(now.addSecs(45 * 60));

    model.setBaseStatus(AppStatus::protectedWithWarnings(3));
    EXPECT_EQ(shown().title, QStringLiteral("Completed with 3 warnings"));

    model.setBaseStatus(AppStatus::backingUp({0.426, 10, 20}));
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Backing up…"));
    EXPECT_EQ(text.subtitle, QStringLiteral("10 of 20 files"));
    EXPECT_EQ(text.nextBackup, std::nullopt);
    model.setBaseStatus(AppStatus::backingUp({0.426, 10, 0}));
    EXPECT_EQ(shown().subtitle, QStringLiteral("42% complete"));
    model.setBaseStatus(AppStatus::backingUp({0.999, std::nullopt, 20}));
    EXPECT_EQ(shown().subtitle, QStringLiteral("99% complete"));

    model.setBaseStatus(AppStatus::error(QStringLiteral("Repository password is incorrect.")));
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Last backup failed"));
    EXPECT_EQ(text.subtitle, QStringLiteral("Repository password is incorrect."));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Try again"));

    model.setBaseStatus(AppStatus::needsSetup());
    model.setLastBackup(std::nullopt);
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Set up Keldoran"));
    EXPECT_EQ(text.subtitle, QStringLiteral("Not backed up yet"));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Set Up Keldoran"));

    model.setBaseStatus(AppStatus::credentialsUnavailable());
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Couldn't read your saved credentials"));
    EXPECT_EQ(text.subtitle,
              QStringLiteral("Your keyring may still be locked — try Retry, or unlock it and try again."));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Retry"));

    model.setBaseStatus(AppStatus::fullDiskAccessRequired());
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Home folder access needed"));
    EXPECT_EQ(text.subtitle,
              QStringLiteral("Keldoran can't read your home folder. Backups are paused until it can."));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Check again"));
    EXPECT_EQ(text.nextBackup, std::nullopt);

    model.setBaseStatus(AppStatus::protected_());
    model.pause(AppModel::PauseChoice::indefinitely, now);
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Paused"));
    EXPECT_EQ(text.subtitle, QStringLiteral("Resume to continue protection"));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Resume"));
    EXPECT_EQ(text.nextBackup, std::nullopt);
    model.pause(AppModel::PauseChoice::oneHour, now);
    EXPECT_EQ(shown().subtitle, QStringLiteral("Resumes in 1 hour"));

    model.resume();
    model.setIsOnline(false);
    text = shown();
    EXPECT_EQ(text.title, QStringLiteral("Waiting for network"));
    EXPECT_EQ(text.subtitle, QStringLiteral("Will resume automatically"));
    EXPECT_EQ(text.primaryAction, QStringLiteral("Waiting for network"));
}

TEST_F(Presentation, listsFiveWarningsThenTheRestAsACountWithGuidance) {
    QList<BackupWarning> warnings(
        5, BackupWarning{BackupWarning::Kind::vanished, QStringLiteral("/home/u/tmp/x")});
    model.setLastBackupWarnings(warnings);
    auto text = shown();
    EXPECT_EQ(text.warnings.size(), 5);
    EXPECT_EQ(text.warnings[0], QStringLiteral("~/tmp/x changed or was removed while backing up."));
    warnings.append({BackupWarning::Kind::privacyProtected, QStringLiteral("/home/u/Mail")});
    warnings.prepend({BackupWarning::Kind::permissionDenied, std::nullopt});
    model.setLastBackupWarnings(warnings);
    text = shown(false, true);
    EXPECT_EQ(text.warnings.size(), 6);
    EXPECT_EQ(text.warnings[0], QStringLiteral("A file couldn't be read (no permission)."));
    EXPECT_EQ(text.warnings[5], QStringLiteral("and 2 more"));
    EXPECT_EQ(text.guidance, (QStringList{"The system blocked these even though Keldoran can read your home "
                                          "folder. Check their permissions, "
                                          "security labels or mount options.",
                                          "These files' owner or permissions prevent reading them."}));
    EXPECT_EQ(shown(false, false).guidance.first(),
              QStringLiteral("Keldoran can't read your home folder; give it access to read these."));

    EXPECT_EQ(StatusPresentation::warningLine({BackupWarning::Kind::privacyProtected, std::nullopt}, {}),
              QStringLiteral("macOS blocked access to a file."));
    EXPECT_EQ(StatusPresentation::warningLine({BackupWarning::Kind::other, QStringLiteral("/srv/x")},
                                              QStringLiteral("/home/u")),
              QStringLiteral("/srv/x couldn't be backed up."));
    EXPECT_EQ(StatusPresentation::warningLine({BackupWarning::Kind::other, std::nullopt}, {}),
              QStringLiteral("Some files couldn't be backed up."));
}

TEST_F(Presentation, tellsTheStateOfTheIntegrityCheck) {
    EXPECT_EQ(shown().check, QStringLiteral("Check overdue"));
    model.setLastChecked(test.clock.now().addDays(-1));
    EXPECT_EQ(shown().check, QStringLiteral("Data integrity verified"));
    EXPECT_EQ(shown().checkDetail, std::nullopt);
    model.setLastCheckFailure(CheckFailureReason::corruption);
    EXPECT_EQ(shown().check, QStringLiteral("Check failed"));
    EXPECT_EQ(shown().checkDetail,
              QStringLiteral(
                  "Damaged data was found in the backup. Don't delete snapshots — check the repository."));
    model.setLastCheckFailure(CheckFailureReason::unreachable);
    EXPECT_EQ(shown().checkDetail, QStringLiteral("The backup storage couldn't be reached for checking."));
    model.setLastCheckFailure(CheckFailureReason::other);
    EXPECT_EQ(shown().checkDetail,
              QStringLiteral("The last check didn't complete. It will retry on schedule."));
}

} // namespace keldoran
