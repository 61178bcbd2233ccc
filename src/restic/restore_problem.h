#pragma once

#include <optional>
#include <QCoreApplication>
#include <QList>
#include <QString>

namespace keldoran {

/// One item a restore could not write, read from restic's error records on standard error.
struct RestoreProblem {
    Q_DECLARE_TR_FUNCTIONS(RestoreProblem)

public:
    enum class Cause { destinationFull, folderInTheWay, damagedInBackup, notPermitted, other };

    /// As restic names it: "/sub/a.txt", relative to the folder restored.
    QString item;
    Cause cause = Cause::other;
    /// restic's own text, for the log only.
    QString detail;
    bool operator==(const RestoreProblem&) const = default;

    /// Each failed item once (its first record decides the cause), in restic's order.
    static QList<RestoreProblem> fromStandardError(const QString& stderrText);
    /// "The destination is full.", "“a.txt” is damaged in the backup.", …
    QString sentence() const;
    /// The first causes, each said once, and how many more items failed: what the user is told.
    static std::optional<QString> summary(const QList<RestoreProblem>& problems);
};

} // namespace keldoran
