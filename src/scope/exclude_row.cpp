#include "exclude_row.h"

namespace keldoran {

ExcludeRow ExcludeRow::of(const BackupScope& scope, const BackupNode& node,
                          const QList<ExcludeItem>& exclusionList) {
    ExcludeRow row;
    row.node = node;
    row.canDescend = node.isDirectory;
    if (scope.isListedExclusion(node.id, exclusionList)) {
        row.state = BackupScope::TriState::excluded;
        row.hint = QStringLiteral("Excluded in Preferences");
        row.excludedInPreferences = true;
        return row;
    }
    row.state = scope.triState(node.id, node.isDirectory);
    switch (row.state) {
    case BackupScope::TriState::included:
        break;
    case BackupScope::TriState::excluded:
        row.hint = node.isHidden && !scope.isExcluded(node.id) ? QStringLiteral("Hidden folder, skipped")
                                                               : QStringLiteral("Skipped");
        break;
    case BackupScope::TriState::partial:
        row.hint = scope.skippedChildNames(node.id).join(QStringLiteral(", ")) + QStringLiteral(" skipped");
        break;
    }
    return row;
}

QString ExcludeRow::checkboxSymbol() const {
    switch (state) {
    case BackupScope::TriState::included:
        return QStringLiteral("checkmark.square.fill");
    case BackupScope::TriState::excluded:
        return QStringLiteral("square");
    case BackupScope::TriState::partial:
        return QStringLiteral("minus.square.fill");
    }
    return {};
}

QString ExcludeRow::accessibilityValue() const {
    if (hint) {
        return *hint;
    }
    switch (state) {
    case BackupScope::TriState::included:
        return QStringLiteral("Backed up");
    case BackupScope::TriState::excluded:
        return QStringLiteral("Skipped");
    case BackupScope::TriState::partial:
        return QStringLiteral("Partially skipped");
    }
    return {};
}

} // namespace keldoran
