#pragma once

#include "restore/restore_browser.h"
#include "widgets/folder_chooser.h"

#include <functional>
#include <optional>
#include <QDateTime>
#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace keldoran {

class ElidingLabel;

/// Where restored items go and what happens to a file already there: the original location or another
/// folder, keep both or replace. It names the items it will restore, fixed when it opened, whatever the
/// window behind it shows meanwhile. "Restore" hands them over with the choice and closes; without a
/// folder for "Another folder…" it does nothing.
class DestinationSheet : public QDialog {
    Q_OBJECT
public:
    /// Folders in `home` are shown as "~/…".
    DestinationSheet(RestoreBrowser::RestoreRequest request, const QDateTime& snapshotDate,
                     const QDateTime& now, QString home, QWidget* parent = nullptr);

    const RestoreBrowser::RestoreRequest& request() const { return request_; }

    /// Asks the user for a folder; replaceable for tests.
    FolderChooser chooseFolder;

    std::optional<RestoreBrowser::Destination> currentDestination() const;
    /// "From the snapshot taken today at 10:15".
    static QString subtitleFor(const QDateTime& snapshotDate, const QDateTime& now);

    /// "budget.xlsx, notes.txt and 3 more": the items the sheet restores.
    static QString itemList(const QStringList& paths);

signals:
    void restoreChosen(RestoreBrowser::RestoreRequest request, RestoreBrowser::Destination destination);

private:
    void addSummary(QVBoxLayout* layout, const QDateTime& snapshotDate, const QDateTime& now);
    void addDestinationChoice(QVBoxLayout* layout);
    void addConflictChoice(QVBoxLayout* layout);
    void follow(QDialogButtonBox* buttons, QPushButton* restore);
    void refresh();

    RestoreBrowser::RestoreRequest request_;
    const QString home_;
    bool useOriginal_ = true;
    RestoreConflict conflict_ = RestoreConflict::keepBoth;
    std::optional<QString> chosenFolder_;

    QRadioButton* original_;
    QRadioButton* another_;
    QPushButton* choose_;
    ElidingLabel* chosenFolderLabel_;
    QRadioButton* keepBoth_;
    QRadioButton* replace_;
    QLabel* explanation_;
};

} // namespace keldoran
