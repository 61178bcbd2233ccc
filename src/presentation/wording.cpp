#include "wording.h"

#include <QHash>

namespace keldoran {

namespace Wording {

QString forPlatform(const QString& canonical) {
    // Whole sentences first.
    static const QHash<QString, QString> sentences{
        {QStringLiteral("Show in Finder"), QStringLiteral("Show in Files")},
        {QStringLiteral("Your Mac's Keychain may still be locked — try Retry, or unlock it and try again."),
         QStringLiteral("Your keyring may still be locked — try Retry, or unlock it and try again.")},
        {QStringLiteral("Keldoran will quit. Drag it to the Trash to finish."),
         QStringLiteral("Keldoran will quit. Remove it with your package manager to finish.")},
        {QStringLiteral("macOS keeps your files behind Full Disk Access. Keldoran needs it — for the app and "
                        "its background "
                        "helper — so it can protect everything, not just some folders."),
         QStringLiteral(
             "Keldoran reads your whole home folder so it can protect everything, not just some folders.")},
        {QStringLiteral("macOS blocked access to a file."),
         QStringLiteral("The system blocked access to a file.")},
        {QStringLiteral("Full Disk Access is on, yet macOS still blocked these. In System Settings › Privacy "
                        "& Security › Full "
                        "Disk Access, remove Keldoran, add it again, then relaunch."),
         QStringLiteral("The system blocked these even though Keldoran can read your home folder. Check "
                        "their permissions, "
                        "security labels or mount options.")},
        {QStringLiteral(
             "Keldoran needs Full Disk Access in System Settings › Privacy & Security to read these."),
         QStringLiteral("Keldoran can't read your home folder; give it access to read these.")},
        {QStringLiteral("These files' owner or permissions prevent reading them — Full Disk Access doesn't "
                        "change that."),
         QStringLiteral("These files' owner or permissions prevent reading them.")},
        {QStringLiteral("Full Disk Access needed"), QStringLiteral("Home folder access needed")},
        {QStringLiteral("Without it, macOS hides Desktop, Documents, Mail and more from the backup. Backups "
                        "are paused until "
                        "it's granted."),
         QStringLiteral("Keldoran can't read your home folder. Backups are paused until it can.")},
        {QStringLiteral("Open System Settings"), QStringLiteral("Check again")},
    };
    if (const auto found = sentences.constFind(canonical); found != sentences.constEnd()) {
        return *found;
    }
    // Sentences with a part of their own around the macOS words.
    static const std::pair<QString, QString> phrases[] = {
        {QStringLiteral("macOS blocked access to "), QStringLiteral("The system blocked access to ")},
        {QStringLiteral("Keldoran keeps them in your Mac's Keychain"),
         QStringLiteral("Keldoran keeps them in your keyring")},
        {QStringLiteral("in your Mac's Keychain"), QStringLiteral("in your keyring")},
        {QStringLiteral("before it leaves your Mac."), QStringLiteral("before it leaves your computer.")},
        {QStringLiteral("Keldoran lives in the menu bar"),
         QStringLiteral("Keldoran lives in the system tray")},
        {QStringLiteral("on this Mac"), QStringLiteral("on this computer")},
        {QStringLiteral("this Mac"), QStringLiteral("this computer")},
    };
    auto text = canonical;
    for (const auto& [mac, linux] : phrases) {
        text.replace(mac, linux);
    }
    return text;
}

} // namespace Wording

} // namespace keldoran
