#include "presentation/formatters.h"
#include "presentation/wording.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace keldoran {

TEST(Formatters, countsBytesInFileUnits) {
    EXPECT_EQ(Formatters::byteCount(0), QStringLiteral("Zero KB"));
    EXPECT_EQ(Formatters::byteCount(300), QStringLiteral("1 KB"));
    EXPECT_EQ(Formatters::byteCount(12345), QStringLiteral("12 KB"));
    EXPECT_EQ(Formatters::byteCount(3400000), QStringLiteral("3.4 MB"));
    EXPECT_EQ(Formatters::byteCount(3000000), QStringLiteral("3 MB"));
    EXPECT_EQ(Formatters::byteCount(1250000000), QStringLiteral("1.25 GB"));
    EXPECT_EQ(Formatters::byteCount(2500000000000), QStringLiteral("2.5 TB"));
}

TEST(Formatters, tellsTimesRelativeToNow) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 15));
    EXPECT_EQ(Formatters::relativeTime(now.addSecs(-7200), now), QStringLiteral("2 hours ago"));
    EXPECT_EQ(Formatters::relativeTime(now.addSecs(-60), now), QStringLiteral("1 minute ago"));
    EXPECT_EQ(Formatters::relativeTime(now.addDays(3), now), QStringLiteral("in 3 days"));
    // One of a unit is singular in every unit, in the past and the future, whatever the process locale.
    for (const auto& [seconds, past, future] :
         QList<std::tuple<qint64, QString, QString>>{{1, "1 second ago", "in 1 second"},
                                                     {60, "1 minute ago", "in 1 minute"},
                                                     {3600, "1 hour ago", "in 1 hour"},
                                                     {86400, "1 day ago", "in 1 day"},
                                                     {604800, "1 week ago", "in 1 week"},
                                                     {2592000, "1 month ago", "in 1 month"},
                                                     {31536000, "1 year ago", "in 1 year"},
                                                     {119, "1 minute ago", "in 1 minute"},
                                                     {120, "2 minutes ago", "in 2 minutes"},
                                                     {0, "in 0 seconds", "in 0 seconds"}}) {
        EXPECT_EQ(Formatters::relativeTime(now.addSecs(-seconds), now), past) << seconds;
        EXPECT_EQ(Formatters::relativeTime(now.addSecs(seconds), now), future) << seconds;
    }

    // Whole minutes, truncated; 59 is the last minutes form.
    EXPECT_EQ(Formatters::compactTimeUntil(now.addSecs(59 * 60 + 59), now), QStringLiteral("in 59 min"));
    EXPECT_EQ(Formatters::compactTimeUntil(now.addSecs(60 * 60), now), QStringLiteral("in 1 h"));
    EXPECT_EQ(Formatters::compactTimeUntil(now.addSecs(119 * 60), now), QStringLiteral("in 1 h"));
    EXPECT_EQ(Formatters::compactTimeUntil(now.addSecs(-500), now), QStringLiteral("in 0 min"));

    EXPECT_EQ(Formatters::recentBackupTimestamp(now.addSecs(-3600), now), QStringLiteral("Today, 9:15 AM"));
    EXPECT_EQ(Formatters::recentBackupTimestamp(now.addDays(-1), now), QStringLiteral("Yesterday, 10:15 AM"));
    EXPECT_EQ(Formatters::recentBackupTimestamp(now.addDays(-3), now), QStringLiteral("Fri, 10:15 AM"));
    EXPECT_EQ(Formatters::modified(now.addSecs(-60), now), QStringLiteral("10:14 AM"));
    EXPECT_EQ(Formatters::modified(now.addDays(-1), now), QStringLiteral("yesterday"));
    EXPECT_EQ(Formatters::modified(now.addDays(-3), now), QStringLiteral("3 days ago"));
    EXPECT_EQ(Formatters::euros(0.5), QStringLiteral("€0.50"));
}

TEST(Wording, rendersEveryMacSentenceInThisPlatformsWords) {
    const std::pair<const char*, const char*> rows[] = {
        {"Show in Finder", "Show in Files"},
        {"Your Mac's Keychain may still be locked — try Retry, or unlock it and try again.",
         "Your keyring may still be locked — try Retry, or unlock it and try again."},
        {"Paste the two keys from your Scaleway storage page. Keldoran keeps them in your Mac's Keychain — "
         "they never leave this device.",
         "Paste the two keys from your Scaleway storage page. Keldoran keeps them in your keyring — they "
         "never leave this device."},
        {"This password encrypts everything before it leaves your Mac. Only you can unlock your backups with "
         "it.",
         "This password encrypts everything before it leaves your computer. Only you can unlock your backups "
         "with it."},
        {"Your first backup is starting now. Keldoran lives in the menu bar — look for the ring icon.",
         "Your first backup is starting now. Keldoran lives in the system tray — look for the ring icon."},
        {"This removes everything Keldoran keeps on this Mac.",
         "This removes everything Keldoran keeps on this computer."},
        {"It is shared with any other restic on this Mac, so it is left alone unless you ask.",
         "It is shared with any other restic on this computer, so it is left alone unless you ask."},
        {"Your settings and logs on this Mac", "Your settings and logs on this computer"},
        {"Keldoran will quit. Drag it to the Trash to finish.",
         "Keldoran will quit. Remove it with your package manager to finish."},
        {"macOS keeps your files behind Full Disk Access. Keldoran needs it — for the app and its background "
         "helper — so it "
         "can protect everything, not just some folders.",
         "Keldoran reads your whole home folder so it can protect everything, not just some folders."},
        {"macOS blocked access to a file.", "The system blocked access to a file."},
        {"macOS blocked access to ~/Library/Mail.", "The system blocked access to ~/Library/Mail."},
        {"Full Disk Access is on, yet macOS still blocked these. In System Settings › Privacy & Security › "
         "Full Disk Access, "
         "remove Keldoran, add it again, then relaunch.",
         "The system blocked these even though Keldoran can read your home folder. Check their permissions, "
         "security labels "
         "or mount options."},
        {"Keldoran needs Full Disk Access in System Settings › Privacy & Security to read these.",
         "Keldoran can't read your home folder; give it access to read these."},
        {"These files' owner or permissions prevent reading them — Full Disk Access doesn't change that.",
         "These files' owner or permissions prevent reading them."},
        {"Full Disk Access needed", "Home folder access needed"},
        {"Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups are paused "
         "until it's granted.",
         "Keldoran can't read your home folder. Backups are paused until it can."},
        {"Open System Settings", "Check again"},
        {"Protected", "Protected"},
    };
    for (const auto& [mac, here] : rows) {
        EXPECT_EQ(Wording::forPlatform(QString::fromUtf8(mac)), QString::fromUtf8(here)) << mac;
    }
}

TEST(Formatters, whatCannotBeAQuantityIsShownAsADash) {
    EXPECT_EQ(Formatters::count(-1), QStringLiteral("—"));
    EXPECT_EQ(Formatters::euros(-0.004), QStringLiteral("—"));
    EXPECT_EQ(Formatters::euros(std::numeric_limits<double>::infinity()), QStringLiteral("—"));
    EXPECT_EQ(Formatters::euros(std::nan("")), QStringLiteral("—"));
    EXPECT_NE(Formatters::count(12), QStringLiteral("—"));
}

} // namespace keldoran
