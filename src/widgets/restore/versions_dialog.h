#pragma once

#include "index/snapshot_index.h"
#include "restore/restore_browser.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace keldoran {

/// "Show versions…": every different version of one file in the indexed snapshots. Restoring one goes
/// through the destination sheet like any other restore.
class VersionsDialog : public QDialog {
    Q_OBJECT
public:
    VersionsDialog(const QString& path, QList<SnapshotIndex::Version> versions, const QDateTime& now,
                   QWidget* parent = nullptr);

    QListWidget* list() { return list_; }
    QPushButton* restoreButton() { return restore_; }

signals:
    /// The chosen version, as a request of its snapshot, and when that snapshot was taken.
    void restoreRequested(const RestoreBrowser::RestoreRequest& request, const QDateTime& snapshotTime);

private:
    QString path_;
    QList<SnapshotIndex::Version> versions_;
    QListWidget* list_;
    QPushButton* restore_;
};

} // namespace keldoran
