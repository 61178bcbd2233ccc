#pragma once

#include "folder_chooser.h"
#include "setup/app_removal.h"

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QWidget>

class QMessageBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;
class QVBoxLayout;

namespace keldoran {

class AppModel;
class ChangeKeysSheet;
class RemoveDataSheet;
class ScopeBrowser;

/// Keldoran's preferences in three tabs, Backup, Storage and Advanced. Every control writes through to
/// the model at once; there is no apply button.
class PreferencesWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesWindow(AppModel& model, QWidget* parent = nullptr);

    QTabWidget* tabs() { return tabs_; }
    /// Asks for a folder to exclude; replaceable for tests.
    FolderChooser chooseFolder;
    /// Removes Keldoran's data; replaceable for tests. The live one is the full removal.
    std::function<QCoro::Task<AppRemoval::Outcome>(bool includeResticCache)> runRemoval;

    ScopeBrowser* openScopeBrowser();
    RemoveDataSheet* openRemovalSheet();
    ChangeKeysSheet* openChangeKeysSheet();
    /// "Set up a new backup…" asks before it opens the setup window.
    QMessageBox* confirmNewBackup();
    /// "Next backup: your home folder, minus …" with the current counts.
    QString tallyText() const;

signals:
    /// Removal succeeded: the application quits.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* backupTab();
    void addScheduleRows(QWidget* tab, QVBoxLayout* layout);
    void addLoginRows(QWidget* tab, QVBoxLayout* layout);
    void addExclusionRows(QWidget* tab, QVBoxLayout* layout);
    QWidget* storageTab();
    QWidget* advancedTab();
    void refresh();
    void refreshExclusions();
    QCoro::Task<void> remove(bool includeResticCache);

    AppModel& model_;
    bool removing_ = false;
    QTabWidget* tabs_;
    QComboBox* frequency_;
    QCheckBox* onBattery_;
    QCheckBox* onMetered_;
    QCheckBox* limitUpload_;
    QComboBox* uploadSpeed_;
    QCheckBox* startAtLogin_;
    QCheckBox* notifications_;
    QVBoxLayout* exclusionRows_;
    QLabel* tally_;
    QLabel* storageRow_;
};

} // namespace keldoran
