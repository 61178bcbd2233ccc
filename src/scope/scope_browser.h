#pragma once

#include "backup_node.h"

#include <QDialog>

class BackupScope;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

/// The sheet behind "Choose what's backed up…": the home folder one level at a time, a tick per item,
/// a breadcrumb back up, and the tally of what is skipped. Every tick goes to the scope at once; the
/// sheet keeps only the folders opened.
class ScopeBrowser : public QDialog {
    Q_OBJECT
public:
    explicit ScopeBrowser(BackupScope& scope, QWidget* parent = nullptr);

    const QList<BackupNode>& pathStack() const { return pathStack_; }
    void descend(const BackupNode& folder);
    /// 0 is "Home"; k keeps the first k folders opened.
    void navigate(int crumb);
    QString tallyText() const;

private:
    void rebuild();
    QWidget* rowFor(const BackupNode& node);

    BackupScope& scope_;
    QList<BackupNode> pathStack_;
    QHBoxLayout* breadcrumb_;
    QVBoxLayout* rows_;
    QLabel* tally_;
};
