#pragma once

#include "model/exclude_item.h"
#include "scope/backup_node.h"
#include "scope/backup_scope.h"

#include <QDialog>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace keldoran {

/// The sheet behind "Choose what's backed up…": the home folder one level at a time, a tick per item,
/// a breadcrumb back up, and the tally of what is skipped. Every tick goes to the scope at once; the
/// sheet keeps only the folders opened. Paths the exclusion list leaves out show unticked, and hidden
/// folders show on request.
class ScopeBrowser : public QDialog {
    Q_OBJECT
public:
    ScopeBrowser(BackupScope& scope, QList<ExcludeItem> exclusionList, QWidget* parent = nullptr);

    const QList<BackupNode>& pathStack() const { return pathStack_; }
    void descend(const BackupNode& folder);
    /// 0 is "Home"; k keeps the first k folders opened.
    void navigate(int crumb);
    QString tallyText() const;
    /// "Next backup: your home folder, minus …": the sentence under the exclusion list.
    static QString summary(const BackupScope::Tally& tally);
    void setShowsHidden(bool shown);

private:
    void rebuild();
    QWidget* rowFor(const BackupNode& node);

    BackupScope& scope_;
    const QList<ExcludeItem> exclusionList_;
    bool showsHidden_ = false;
    QList<BackupNode> pathStack_;
    QHBoxLayout* breadcrumb_;
    QVBoxLayout* rows_;
    QLabel* tally_;
};

} // namespace keldoran
