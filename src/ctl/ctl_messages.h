#pragma once

#include "backup/run_decision.h"

#include <optional>
#include <QString>

namespace keldoran {

/// Every sentence keldoranctl itself prints; the rest are the application's own (setup, status, restore).
namespace CtlMessages {

inline QString usage() {
    return QStringLiteral(
        "Usage: keldoranctl COMMAND [OPTIONS]\n"
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
    return QStringLiteral("keldoranctl %1 (build %2)").arg(version, build);
}

inline QString notSetUp() {
    return QStringLiteral("Keldoran isn't set up yet. Run “keldoranctl setup” first.");
}
inline QString credentialsUnreadable() {
    return QStringLiteral("Couldn't read your saved credentials. Unlock your keyring and try again.");
}
inline QString runningElsewhereSetup() {
    return QStringLiteral("Keldoran is running. Set it up from its window, or quit it and try again.");
}
inline QString runningElsewhereRestore() {
    return QStringLiteral("Keldoran is running. Restore from its window, or quit it and try again.");
}
inline QString runningButSilent() {
    return QStringLiteral("Keldoran is running but did not answer. Try again in a moment.");
}
inline QString homeUnreadable() {
    return QStringLiteral("Keldoran can't read your home folder, so it can't back it up.");
}
inline QString unreachable(const QString& provider) {
    return QStringLiteral("Couldn't reach %1. Check your internet connection and try again.").arg(provider);
}
inline QString stopping() {
    return QStringLiteral("Stopping…");
}
inline QString backupCancelled() {
    return QStringLiteral("Backup was cancelled.");
}
inline QString unreadableSecret(const QString& what) {
    return QStringLiteral("Couldn't read the %1.").arg(what);
}
inline QString checking() {
    return QStringLiteral("Checking…");
}
inline QString connected(const QString& bucket, const QString& city) {
    return QStringLiteral("Connected — bucket %1 found in %2").arg(bucket, city);
}
inline QString unknownProvider(const QString& id) {
    return QStringLiteral("Unknown provider “%1”: use ionos, ovhcloud or scaleway, or --endpoint for other "
                          "S3-compatible storage.")
        .arg(id);
}
inline QString providerOrEndpoint() {
    return QStringLiteral("Use either --provider or --endpoint, not both.");
}
inline QString customOptionsNeedEndpoint() {
    return QStringLiteral("--region and --path-style go with --endpoint.");
}
inline QString notInSnapshot(const QString& path) {
    return QStringLiteral("“%1” is not in that folder of the backup.").arg(path);
}
inline QString optionWhereValueExpected(const QString& argument) {
    return QStringLiteral("“%1” looks like an option, but a backup or a path belongs there.").arg(argument);
}
inline QString oneFolderOnly() {
    return QStringLiteral("The paths must all be in the same folder.");
}
inline QString noSuchSnapshot(const QString& id) {
    return QStringLiteral("There is no backup “%1”.").arg(id);
}
inline QString restoreComplete(const QString& destination) {
    return QStringLiteral("Restore complete: %1").arg(destination);
}
inline QString paused(const QString& until) {
    return until.isEmpty() ? QStringLiteral("Paused until you resume.")
                           : QStringLiteral("Paused until %1.").arg(until);
}
inline QString indexing(qsizetype backups) {
    return backups == 1 ? QStringLiteral("Indexing 1 backup…")
                        : QStringLiteral("Indexing %1 backups…").arg(backups);
}
inline QString notIndexed(const QString& id) {
    return QStringLiteral("Couldn't index backup %1. Try again in a moment.").arg(id);
}
inline QString indexUnusable(const QString& reason) {
    return QStringLiteral("Couldn't open the index of your backups: %1").arg(reason);
}
inline QString nothingFound(const QString& pattern) {
    return QStringLiteral("Nothing in your backups has “%1” in its name.").arg(pattern);
}
inline QString inNoBackup(const QString& path) {
    return QStringLiteral("“%1” is in none of your backups.").arg(path);
}
inline QString resumed() {
    return QStringLiteral("Protection resumed.");
}
/// keldoranctl status, when the repository did not answer within its time limit.
inline QString unreachableJustNow(const QString& provider) {
    return QStringLiteral("Couldn't reach %1 just now.").arg(provider);
}
/// Why a due scheduled backup waits, when it waits on something the user may want to know.
inline std::optional<QString> waitingFor(const RunDecision& decision) {
    if (decision.kind != RunDecision::Kind::skip || !decision.reason) {
        return std::nullopt;
    }
    switch (*decision.reason) {
    case RunReason::onBattery:
        return QStringLiteral("Backups wait until the computer is plugged in.");
    case RunReason::metered:
        return QStringLiteral("Backups wait while the connection is metered. Allow them in Preferences.");
    case RunReason::offline:
        return QStringLiteral("Backups wait until the network is back.");
    case RunReason::locked:
        return QStringLiteral("Another Keldoran process is backing up.");
    default:
        return std::nullopt;
    }
}

} // namespace CtlMessages

} // namespace keldoran
