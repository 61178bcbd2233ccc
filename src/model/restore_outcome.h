#pragma once

#include <optional>
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

namespace keldoran {

/// How the last restore ended, kept so the popover can tell it after its window has gone.
struct RestoreOutcome {
    Q_DECLARE_TR_FUNCTIONS(RestoreOutcome)

public:
    enum class Kind { succeeded, incomplete, failed };
    Kind kind = Kind::succeeded;
    QDateTime finished;
    /// Where the items went and what was renamed, or what went wrong.
    QString message;
    bool operator==(const RestoreOutcome&) const = default;

    /// "Restore complete", "Restore incomplete" or "Restore failed".
    QString title() const;
    /// Persisted as {"kind", "finished", "message"}; anything else reads as none.
    QByteArray encoded() const;
    static std::optional<RestoreOutcome> decoded(const QByteArray& json);
};

} // namespace keldoran
