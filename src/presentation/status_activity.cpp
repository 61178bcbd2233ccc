#include "status_activity.h"

#include "formatters.h"
#include "model/app_model.h"
#include "plural.h"

namespace keldoran {

namespace {

const QString none = QStringLiteral("—");

QString added(const std::optional<qint64>& bytes) {
    return bytes ? QStringLiteral("+") + Formatters::byteCount(*bytes) : QString();
}

} // namespace

StatusActivity StatusActivity::of(const AppModel& model, const QDateTime& now) {
    StatusActivity activity;
    const auto stats = model.stats();
    activity.protectedData = {QStringLiteral("Protected"),
                              stats.protectedBytes ? Formatters::byteCount(*stats.protectedBytes) : none,
                              stats.fileCount ? Plural::of("%Ln files · source data", *stats.fileCount)
                                              : QString()};
    const auto storage = model.storage();
    auto stored = QStringLiteral("stored after deduplication");
    if (stats.monthlyCostEUR) {
        stored += QStringLiteral(" · about %1 a month").arg(Formatters::euros(*stats.monthlyCostEUR));
    }
    activity.storage = {QStringLiteral("Storage"),
                        storage.sizeBytes ? Formatters::byteCount(*storage.sizeBytes) : none, stored};
    const auto recent = model.recentBackups();
    const auto lastAdded = recent.isEmpty() ? std::nullopt : recent.first().addedBytes;
    activity.change = {QStringLiteral("Data change"), lastAdded ? added(lastAdded) : none,
                       lastAdded ? QStringLiteral("added by the last backup") : QString()};

    if (const auto restore = model.lastRestore()) {
        const auto what = restore->kind == RestoreOutcome::Kind::succeeded
                              ? restore->message
                              : restore->title() + QStringLiteral(". ") + restore->message;
        activity.lastRestore = QStringLiteral("Last restore, %1: %2")
                                   .arg(Formatters::recentBackupTimestamp(restore->finished, now), what);
    }
    activity.recentCaption = QStringLiteral("Recent backups");
    for (const auto& backup : recent) {
        RecentLine line;
        line.when = Formatters::recentBackupTimestamp(backup.date, now);
        line.added = added(backup.addedBytes);
        line.warned = !backup.warnings.isEmpty();
        if (backup.excludeCount) {
            line.exclusions = Plural::of("Backed up with %Ln exclusions", *backup.excludeCount);
        }
        line.accessibleName = line.when + (line.warned ? QStringLiteral(", with warnings") : QString());
        activity.recent.append(line);
    }
    return activity;
}

namespace StatusWords {

QString windowName() {
    return QStringLiteral("Keldoran status");
}

QString progressName() {
    return QStringLiteral("Backup progress");
}

QString registerAgain() {
    return QStringLiteral("Set up background backups again");
}

QString detailsToggle(bool shown) {
    return shown ? QStringLiteral("Hide details") : QStringLiteral("View details");
}

QString activityToggle(bool shown) {
    return shown ? QStringLiteral("Hide activity") : QStringLiteral("Show activity");
}

} // namespace StatusWords

} // namespace keldoran
