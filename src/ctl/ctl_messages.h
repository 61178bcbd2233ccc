#pragma once

#include "backup/backup_controller.h"
#include "backup/run_decision.h"

#include <optional>
#include <QCoreApplication>
#include <QString>

namespace keldoran {

/// Every sentence keldoranctl itself prints; the rest are the application's own (setup, status, restore).
namespace CtlMessages {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(CtlMessages)
};

inline QString usage() {
    //: keldoranctl --help. Keep the command names, the options (--provider…) and the literal arguments
    //: (1h, tomorrow, indefinitely); the capitalised placeholders and the descriptions may be translated.
    return Text::tr("Usage: keldoranctl COMMAND [OPTIONS]\n"
                    "\n"
                    "Commands:\n"
                    "  setup --provider ID --bucket NAME   connect a bucket and set up the backup\n"
                    "  status                              what Keldoran would show\n"
                    "  backup                              back up now\n"
                    "  snapshots                           list the backups in the repository\n"
                    "  ls SNAPSHOT [PATH]                  list one folder of a backup\n"
                    "  find PATTERN [--snapshot ID]        find files by name in every backup\n"
                    "  versions PATH                       list the versions of a file in your backups\n"
                    "  restore SNAPSHOT PATH... [--to DIR] [--replace]\n"
                    "                                      restore files and folders of one folder\n"
                    "  pause 1h|tomorrow|indefinitely      pause scheduled backups\n"
                    "  resume                              resume scheduled backups\n"
                    "\n"
                    "Run keldoranctl COMMAND --help for a command's options, keldoranctl --version for "
                    "this version.");
}

inline QString version(const QString& version, const QString& build) {
    // Scripts read this line: it is the same in every language.
    return QStringLiteral("keldoranctl %1 (build %2)").arg(version, build);
}

inline QString notSetUp() {
    return Text::tr("Keldoran isn't set up yet. Run “keldoranctl setup” first.");
}
inline QString credentialsUnreadable() {
    return Text::tr("Couldn't read your saved credentials. Unlock your keyring and try again.");
}
inline QString runningElsewhereSetup() {
    return Text::tr("Keldoran is running. Set it up from its window, or quit it and try again.");
}
inline QString runningElsewhereRestore() {
    return Text::tr("Keldoran is running. Restore from its window, or quit it and try again.");
}
inline QString runningButSilent() {
    return Text::tr("Keldoran is running but did not answer. Try again in a moment.");
}
inline QString homeUnreadable() {
    return Text::tr("Keldoran can't read your home folder, so it can't back it up.");
}
inline QString unreachable(const QString& provider) {
    return Text::tr("Couldn't reach %1. Check your internet connection and try again.").arg(provider);
}
// One sentence with the backup's own notice, so a stopping backup is told once in every language.
inline QString stopping() {
    return BackupController::stoppingNotice();
}
inline QString backupCancelled() {
    return Text::tr("Backup was cancelled.");
}
inline QString unreadableSecret(const QString& what) {
    //: %1 is “access key”, “secret key” or “password”.
    return Text::tr("Couldn't read the %1.").arg(what);
}
inline QString checking() {
    return Text::tr("Checking…");
}
inline QString connected(const QString& bucket, const QString& city) {
    //: %1 is the bucket's name, %2 the city of the storage's region.
    return Text::tr("Connected — bucket %1 found in %2").arg(bucket, city);
}
inline QString unknownProvider(const QString& id) {
    //: ionos, ovhcloud, scaleway and --endpoint are typed as they are: keep them.
    return Text::tr("Unknown provider “%1”: use ionos, ovhcloud or scaleway, or --endpoint for other "
                    "S3-compatible storage.")
        .arg(id);
}
inline QString providerOrEndpoint() {
    return Text::tr("Use either --provider or --endpoint, not both.");
}
inline QString customOptionsNeedEndpoint() {
    return Text::tr("--region and --path-style go with --endpoint.");
}
inline QString notInSnapshot(const QString& path) {
    return Text::tr("“%1” is not in that folder of the backup.").arg(path);
}
inline QString optionWhereValueExpected(const QString& argument) {
    return Text::tr("“%1” looks like an option, but a backup or a path belongs there.").arg(argument);
}
inline QString oneFolderOnly() {
    return Text::tr("The paths must all be in the same folder.");
}
inline QString noSuchSnapshot(const QString& id) {
    return Text::tr("There is no backup “%1”.").arg(id);
}
inline QString restoreComplete(const QString& destination) {
    return Text::tr("Restore complete: %1").arg(destination);
}
inline QString paused(const QString& until) {
    return until.isEmpty() ? Text::tr("Paused until you resume.") : Text::tr("Paused until %1.").arg(until);
}
inline QString indexing(qsizetype backups) {
    return Text::tr("Indexing %Ln backups…", nullptr, int(backups));
}
inline QString notIndexed(const QString& id) {
    return Text::tr("Couldn't index backup %1. Try again in a moment.").arg(id);
}
inline QString indexUnusable(const QString& reason) {
    return Text::tr("Couldn't open the index of your backups: %1").arg(reason);
}
inline QString nothingFound(const QString& pattern) {
    return Text::tr("Nothing in your backups has “%1” in its name.").arg(pattern);
}
inline QString inNoBackup(const QString& path) {
    return Text::tr("“%1” is in none of your backups.").arg(path);
}
inline QString resumed() {
    return Text::tr("Protection resumed.");
}
/// keldoranctl status, when the repository did not answer within its time limit.
inline QString unreachableJustNow(const QString& provider) {
    return Text::tr("Couldn't reach %1 just now.").arg(provider);
}
/// Why a due scheduled backup waits, when it waits on something the user may want to know.
inline std::optional<QString> waitingFor(const RunDecision& decision) {
    if (decision.kind != RunDecision::Kind::skip || !decision.reason) {
        return std::nullopt;
    }
    switch (*decision.reason) {
    case RunReason::onBattery:
        return Text::tr("Backups wait until the computer is plugged in.");
    case RunReason::metered:
        return Text::tr("Backups wait while the connection is metered. Allow them in Preferences.");
    case RunReason::offline:
        return Text::tr("Backups wait until the network is back.");
    case RunReason::locked:
        return Text::tr("Another Keldoran process is backing up.");
    default:
        return std::nullopt;
    }
}

} // namespace CtlMessages

} // namespace keldoran
