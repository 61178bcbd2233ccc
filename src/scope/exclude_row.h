#pragma once

#include "backup_scope.h"

#include <optional>
#include <QCoreApplication>

namespace keldoran {

/// One row of the scope browser: a file or folder with its tick state and the hint under its name.
struct ExcludeRow {
    Q_DECLARE_TR_FUNCTIONS(ExcludeRow)

public:
    BackupNode node;
    BackupScope::TriState state = BackupScope::TriState::included;
    /// "Skipped", "Excluded in Preferences", "Hidden folder, skipped", or the names of the skipped
    /// children followed by " skipped"; none when included.
    std::optional<QString> hint;
    bool canDescend = false;
    /// Left out by an entry of the exclusion list: only Preferences can tick it again.
    bool excludedInPreferences = false;

    static ExcludeRow of(const BackupScope& scope, const BackupNode& node,
                         const QList<ExcludeItem>& exclusionList = {});

    /// "checkmark.square.fill", "square" or "minus.square.fill".
    QString checkboxSymbol() const;
    /// The hint, or "Backed up", "Skipped", "Partially skipped".
    QString accessibilityValue() const;
};

} // namespace keldoran
