#include "exclude_row.h"

namespace keldoran {

ExcludeRow ExcludeRow::of(const BackupScope& scope, const BackupNode& node,
                          const QList<ExcludeItem>& exclusionList) {
    ExcludeRow row;
    row.node = node;
    row.canDescend = node.isDirectory;
    if (scope.isListedExclusion(node.id, exclusionList)) {
        row.state = BackupScope::TriState::excluded;
        row.hint = tr("Excluded in Preferences");
        row.excludedInPreferences = true;
        return row;
    }
    row.state = scope.triState(node.id, node.isDirectory);
    switch (row.state) {
    case BackupScope::TriState::included:
        break;
    case BackupScope::TriState::excluded:
        row.hint = node.isHidden && !scope.isExcluded(node.id) ? tr("Hidden folder, skipped") : tr("Skipped");
        break;
    case BackupScope::TriState::partial:
        row.hint = tr("%1 skipped").arg(scope.skippedChildNames(node.id).join(QStringLiteral(", ")));
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
        return tr("Backed up");
    case BackupScope::TriState::excluded:
        return tr("Skipped");
    case BackupScope::TriState::partial:
        return tr("Partially skipped");
    }
    return {};
}

} // namespace keldoran
