#include "status_activity.h"

#include "formatters.h"
#include "model/app_model.h"

#include <QCoreApplication>

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
    activity.protectedData = {
        tr("Protected"), stats.protectedBytes ? Formatters::byteCount(*stats.protectedBytes) : none,
        stats.fileCount ? tr("%Ln files · source data", nullptr, int(*stats.fileCount)) : QString()};
    const auto storage = model.storage();
    auto stored = tr("stored after deduplication");
    if (stats.monthlyCostEUR) {
        stored += tr(" · about %1 a month").arg(Formatters::euros(*stats.monthlyCostEUR));
    }
    activity.storage = {tr("Storage"), storage.sizeBytes ? Formatters::byteCount(*storage.sizeBytes) : none,
                        stored};
    const auto recent = model.recentBackups();
    const auto lastAdded = recent.isEmpty() ? std::nullopt : recent.first().addedBytes;
    activity.change = {tr("Data change"), lastAdded ? added(lastAdded) : none,
                       lastAdded ? tr("added by the last backup") : QString()};

    if (const auto restore = model.lastRestore()) {
        const auto what = restore->kind == RestoreOutcome::Kind::succeeded
                              ? restore->message
                              : restore->title() + QStringLiteral(". ") + restore->message;
        activity.lastRestore =
            tr("Last restore, %1: %2").arg(Formatters::recentBackupTimestamp(restore->finished, now), what);
    }
    activity.recentCaption = tr("Recent backups");
    for (const auto& backup : recent) {
        RecentLine line;
        line.when = Formatters::recentBackupTimestamp(backup.date, now);
        line.added = added(backup.addedBytes);
        line.warned = !backup.warnings.isEmpty();
        if (backup.excludeCount) {
            line.exclusions = tr("Backed up with %Ln exclusions", nullptr, int(*backup.excludeCount));
        }
        line.accessibleName = line.warned ? tr("%1, with warnings").arg(line.when) : line.when;
        activity.recent.append(line);
    }
    return activity;
}

namespace StatusWords {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(StatusWords)
};

} // namespace

QString windowName() {
    return Text::tr("Keldoran status");
}

QString progressName() {
    return Text::tr("Backup progress");
}

QString registerAgain() {
    return Text::tr("Set up background backups again");
}

QString detailsToggle(bool shown) {
    return shown ? Text::tr("Hide details") : Text::tr("View details");
}

QString activityToggle(bool shown) {
    return shown ? Text::tr("Hide activity") : Text::tr("Show activity");
}

} // namespace StatusWords

} // namespace keldoran
