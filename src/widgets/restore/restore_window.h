#pragma once

#include "restore/restore_browser.h"

#include <QWidget>

class QVBoxLayout;
class QLabel;
class QLineEdit;
class QHBoxLayout;
class QPushButton;
class QStackedLayout;
class QToolButton;

namespace keldoran {

class AppModel;
class DestinationSheet;
class IndexPanel;
class VersionsDialog;
class RestoreFileTable;
class RestoreProgressOverlay;
class RestoreTableView;
class Workspace;

/// "Restore — Keldoran": pick a snapshot, walk its folders, select items of one folder and restore them.
/// The state is the browser's; the window renders it and passes input on.
class RestoreWindow : public QWidget {
    Q_OBJECT
public:
    RestoreWindow(AppModel& model, Workspace& workspace, QWidget* parent = nullptr);

    RestoreBrowser& browser() { return browser_; }
    RestoreTableView* table() { return table_; }
    /// Opens the destination sheet for the selected items (also the "Restore to…" button).
    DestinationSheet* openDestinationSheet();
    /// "Show versions…": the selected file's versions from the index.
    VersionsDialog* showVersions();
    IndexPanel* indexPanel() { return indexPanel_; }

    /// Loads the snapshots; the window calls it once when first shown.
    QCoro::Task<void> load();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildTopRow(QVBoxLayout* layout);
    void buildFileArea(QVBoxLayout* layout);
    void buildFooter(QVBoxLayout* layout);
    void followBrowser();
    void goToParentFolder();
    void refreshSnapshots();
    void refreshLevel();
    void refreshFooter();
    /// The one file selected, when its snapshot is indexed.
    std::optional<QString> versionsTarget() const;
    DestinationSheet* openDestinationSheetFor(const RestoreBrowser::RestoreRequest& request,
                                              const QDateTime& snapshotTime);
    void syncSelectionFromBrowser();
    void selectionEdited();
    QCoro::Task<void> restore(RestoreBrowser::RestoreRequest request,
                              RestoreBrowser::Destination destination);
    void recordOutcome(const RestoreBrowser::RestorePhase& phase);
    /// "Show in Files" found no file manager and no handler for the folder.
    void tellNothingOpened(const QString& path);

    AppModel& model_;
    Workspace& workspace_;
    RestoreBrowser browser_;
    bool syncing_ = false;
    bool loaded_ = false;
    /// The snapshot list has answered: until then the window says it is loading, not that there is none.
    bool snapshotsListed_ = false;

    QToolButton* snapshotPicker_;
    QHBoxLayout* breadcrumb_;
    QLineEdit* search_;
    RestoreFileTable* files_;
    RestoreTableView* table_;
    QStackedLayout* tableArea_;
    QLabel* placeholder_;
    QLabel* selectedCount_;
    QLabel* hiddenBySearch_;
    QPushButton* restoreTo_;
    QPushButton* showVersions_;
    IndexPanel* indexPanel_;
    RestoreProgressOverlay* overlay_;
};

} // namespace keldoran
