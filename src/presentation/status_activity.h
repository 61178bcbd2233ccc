#pragma once

#include <optional>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

namespace keldoran {

class AppModel;

/// The popover's activity panel as text: the three figures, the last restore and the recent backups.
struct StatusActivity {
    Q_DECLARE_TR_FUNCTIONS(StatusActivity)

public:
    struct Figure {
        QString caption;
        QString value;
        QString detail;
    };
    struct RecentLine {
        QString when;
        QString added;
        bool warned = false;
        /// "Backed up with 3 exclusions", or empty.
        QString exclusions;
        QString accessibleName;
    };

    Figure protectedData;
    Figure storage;
    Figure change;
    /// A restore that went on after its window closed is told here too.
    std::optional<QString> lastRestore;
    QString recentCaption;
    QList<RecentLine> recent;

    static StatusActivity of(const AppModel& model, const QDateTime& now);
};

/// The popover's own words around the presentation's texts.
namespace StatusWords {
QString windowName();
QString progressName();
QString registerAgain();
QString detailsToggle(bool shown);
QString activityToggle(bool shown);
} // namespace StatusWords

} // namespace keldoran
