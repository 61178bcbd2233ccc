#include "restore_window.h"

#include "backup/backup_controller.h"
#include "destination_sheet.h"
#include "index/snapshot_indexer.h"
#include "index_panel.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "presentation/formatters.h"
#include "restic/restic_error.h"
#include "restore/restore_messages.h"
#include "restore_file_table.h"
#include "restore_progress_overlay.h"
#include "versions_dialog.h"
#include "widgets/deferred_close.h"
#include "widgets/keyboard.h"
#include "widgets/layouts.h"
#include "widgets/symbols.h"
#include "widgets/text_fitting.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

// The snapshot's time; older ones carry their date too.
QString snapshotLabel(const QDateTime& date, const QString& group) {
    const auto time = Formatters::shortTime(date);
    // The browser's group title, in the language shown.
    if (group == RestoreBrowser::tr("Earlier")) {
        return QLocale().toString(date.toLocalTime().date(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
    }
    return time;
}

} // namespace

RestoreWindow::RestoreWindow(AppModel& model, Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model_(model)
    , workspace_(workspace)
    , browser_(model.controller(), *model.platform().clock, model.platform().folders.home) {
    setObjectName(QStringLiteral("restoreWindow"));
    setWindowTitle(tr("Restore — Keldoran"));
    resize(760, 520);

    auto* layout = new QVBoxLayout(this);
    buildTopRow(layout);
    buildFileArea(layout);
    buildFooter(layout);
    overlay_ = new RestoreProgressOverlay(this);
    followBrowser();
    closeOnEscapeAndCtrlW(this);
    for (const auto& keys : {QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::ALT | Qt::Key_Up)}) {
        // The search field keeps Backspace while it has the focus.
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &RestoreWindow::goToParentFolder);
    }
    refreshSnapshots();
    refreshLevel();
}

// The snapshot picker, the breadcrumb and the search field.
void RestoreWindow::buildTopRow(QVBoxLayout* layout) {
    auto* top = new QHBoxLayout;
    snapshotPicker_ = new QToolButton(this);
    snapshotPicker_->setObjectName(QStringLiteral("snapshotPicker"));
    snapshotPicker_->setPopupMode(QToolButton::InstantPopup);
    snapshotPicker_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    snapshotPicker_->setIcon(Symbols::icon(QStringLiteral("clock.arrow.circlepath")));
    snapshotPicker_->setAccessibleName(tr("Snapshot"));
    snapshotPicker_->setMenu(new QMenu(snapshotPicker_));
    top->addWidget(snapshotPicker_);
    breadcrumb_ = new QHBoxLayout;
    breadcrumb_->setSpacing(2);
    top->addLayout(breadcrumb_, 1);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("search"));
    search_->setPlaceholderText(tr("Search"));
    search_->setAccessibleName(tr("Search"));
    search_->setClearButtonEnabled(true);
    search_->setMaximumWidth(220);
    top->addWidget(search_);
    layout->addLayout(top);
}

// The files of the level shown, or the sentence that stands in for them, and the index's panel.
void RestoreWindow::buildFileArea(QVBoxLayout* layout) {
    files_ = new RestoreFileTable(
        browser_, [this] { return model_.platform().clock->now(); }, this);
    table_ = new RestoreTableView(this);
    table_->setObjectName(QStringLiteral("files"));
    table_->setAccessibleName(tr("Files"));
    table_->setModel(files_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setShowGrid(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(RestoreFileTable::mark, QHeaderView::Fixed);
    table_->horizontalHeader()->resizeSection(RestoreFileTable::mark, 28);
    table_->horizontalHeader()->setSectionResizeMode(RestoreFileTable::name, QHeaderView::Stretch);
    table_->horizontalHeader()->resizeSection(RestoreFileTable::size, 90);
    table_->horizontalHeader()->resizeSection(RestoreFileTable::modified, 140);
    placeholder_ = new QLabel(this);
    placeholder_->setObjectName(QStringLiteral("placeholder"));
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->setForegroundRole(QPalette::PlaceholderText);
    placeholder_->setTextFormat(Qt::PlainText);
    placeholder_->setWordWrap(true);
    tableArea_ = new QStackedLayout;
    tableArea_->addWidget(table_);
    tableArea_->addWidget(placeholder_);
    layout->addLayout(tableArea_, 1);
    browser_.useIndex(&model_.snapshotIndexer());
    indexPanel_ = new IndexPanel(browser_, model_.platform().folders.home, this);
    layout->addWidget(indexPanel_);
}

void RestoreWindow::buildFooter(QVBoxLayout* layout) {
    auto* footer = new QHBoxLayout;
    selectedCount_ = new QLabel(this);
    selectedCount_->setObjectName(QStringLiteral("selectedCount"));
    restoreTo_ = new QPushButton(tr("Restore to…"), this);
    restoreTo_->setObjectName(QStringLiteral("restoreTo"));
    restoreTo_->setDefault(true);
    hiddenBySearch_ = new QLabel(this);
    hiddenBySearch_->setObjectName(QStringLiteral("hiddenBySearch"));
    hiddenBySearch_->setForegroundRole(QPalette::PlaceholderText);
    footer->addWidget(selectedCount_);
    footer->addWidget(hiddenBySearch_, 1);
    showVersions_ = new QPushButton(tr("Show versions…"), this);
    showVersions_->setObjectName(QStringLiteral("showVersions"));
    footer->addWidget(showVersions_);
    footer->addWidget(restoreTo_);
    layout->addLayout(footer);
}

void RestoreWindow::followBrowser() {
    browser_.isSecondClickOfDoubleClick = [this] {
        return table_->isHandlingSecondClick();
    };
    connect(&browser_, &RestoreBrowser::snapshotsChanged, this, &RestoreWindow::refreshSnapshots);
    connect(&browser_, &RestoreBrowser::levelChanged, this, &RestoreWindow::refreshLevel);
    connect(&browser_, &RestoreBrowser::loadingChanged, this, &RestoreWindow::refreshLevel);
    connect(&browser_, &RestoreBrowser::searchTextChanged, this, &RestoreWindow::refreshLevel);
    connect(&browser_, &RestoreBrowser::selectionChanged, this, &RestoreWindow::syncSelectionFromBrowser);
    connect(&browser_, &RestoreBrowser::restorePhaseChanged, this,
            [this] { overlay_->show(browser_.restorePhase()); });
    connect(&browser_, &RestoreBrowser::restoreEnded, this, &RestoreWindow::recordOutcome);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RestoreWindow::selectionEdited);
    connect(table_, &QTableView::activated, this, [this](const QModelIndex& index) {
        const auto entries = browser_.visibleEntries();
        if (index.row() < entries.size() && entries[index.row()].isDirectory()) {
            search_->clear();
            browser_.setSearchText({});
            browser_.openFolder(entries[index.row()]);
        }
    });
    connect(search_, &QLineEdit::textChanged, &browser_, &RestoreBrowser::setSearchText);
    connect(restoreTo_, &QPushButton::clicked, this, &RestoreWindow::openDestinationSheet);
    connect(showVersions_, &QPushButton::clicked, this, &RestoreWindow::showVersions);
    connect(&browser_, &RestoreBrowser::indexingChanged, this, &RestoreWindow::refreshFooter);
    connect(overlay_, &RestoreProgressOverlay::revealRequested, this, [this](const QString& path) {
        workspace_.reveal(path, [this, path] { tellNothingOpened(path); });
    });
    connect(overlay_, &RestoreProgressOverlay::dismissed, &browser_, &RestoreBrowser::dismissPhase);
}

void RestoreWindow::goToParentFolder() {
    const auto depth = browser_.breadcrumb().size();
    if (depth > 1) {
        browser_.navigate(int(depth) - 2);
    }
}

void RestoreWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        load();
    }
}

void RestoreWindow::closeEvent(QCloseEvent* event) {
    if (!deferCloseWhileBusy(
            this, event, [this] { return browser_.isBusy(); }, &browser_, &RestoreBrowser::becameIdle)) {
        QWidget::closeEvent(event);
    }
}

QCoro::Task<void> RestoreWindow::load() {
    if (!model_.controller().isConfigured()) {
        refreshLevel();
        co_return;
    }
    co_await browser_.loadSnapshots();
    snapshotsListed_ = true;
    refreshLevel();
}

void RestoreWindow::refreshSnapshots() {
    auto* menu = snapshotPicker_->menu();
    menu->clear();
    for (const auto& group : browser_.snapshotGroups()) {
        menu->addSection(group.title);
        for (const auto& item : group.items) {
            const bool selected = browser_.selectedSnapshot() == item.id;
            auto* action =
                menu->addAction(Symbols::icon(selected ? QStringLiteral("smallcircle.filled.circle")
                                                       : QStringLiteral("circle")),
                                snapshotLabel(item.date, group.title));
            const auto id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { browser_.selectSnapshot(id); });
        }
    }
    const auto date = browser_.selectedSnapshotDate();
    snapshotPicker_->setText(date ? Formatters::recentBackupTimestamp(*date, model_.platform().clock->now())
                                  : tr("No snapshot"));
    snapshotPicker_->setEnabled(!browser_.snapshots().isEmpty());
}

void RestoreWindow::refreshLevel() {
    fillBreadcrumb(breadcrumb_, browser_.breadcrumb(), [this](int crumb) { browser_.navigate(crumb); });

    QString empty;
    if (!model_.controller().isConfigured()) {
        empty = tr("Set up Keldoran to restore files.");
    } else if (!snapshotsListed_ || (browser_.isLoading() && browser_.currentLevelEntries().isEmpty())) {
        empty = tr("Loading…");
    } else if (!browser_.selectedSnapshot()) {
        empty = tr("No backups to restore from yet.");
    } else if (browser_.levelFailure()) {
        empty = RestoreMessages::levelUnreadable(readFailureMessage(browser_.levelFailure()));
    } else if (browser_.visibleEntries().isEmpty()) {
        empty = browser_.searchText().isEmpty() ? tr("This folder is empty")
                                                : tr("No results for \"%1\"").arg(browser_.searchText());
    }
    placeholder_->setText(TextFitting::wrappable(empty));
    tableArea_->setCurrentWidget(empty.isEmpty() ? static_cast<QWidget*>(table_) : placeholder_);
    refreshSnapshots();
    syncSelectionFromBrowser();
}

void RestoreWindow::refreshFooter() {
    selectedCount_->setText(RestoreMessages::selectedCount(browser_.selectedItems().size()));
    const auto hidden = browser_.hiddenSelectedCount();
    hiddenBySearch_->setText(hidden > 0 ? QStringLiteral("· ") + RestoreMessages::hiddenBySearch(hidden)
                                        : QString());
    restoreTo_->setEnabled(browser_.restoreRequest().has_value());
    showVersions_->setEnabled(versionsTarget().has_value());
}

std::optional<QString> RestoreWindow::versionsTarget() const {
    const auto request = browser_.restoreRequest();
    if (!request || request->paths.size() != 1 || !browser_.isIndexed()) {
        return std::nullopt;
    }
    for (const auto& entry : browser_.currentLevelEntries()) {
        if (entry.path == request->paths.first() && !entry.isDirectory()) {
            return entry.path;
        }
    }
    return std::nullopt;
}

VersionsDialog* RestoreWindow::showVersions() {
    const auto path = versionsTarget();
    if (!path) {
        return nullptr;
    }
    const auto now = model_.platform().clock->now();
    auto* dialog = new VersionsDialog(*path, browser_.versionsOf(*path), now, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &VersionsDialog::restoreRequested, this,
            [this](const RestoreBrowser::RestoreRequest& request, const QDateTime& snapshotTime) {
                openDestinationSheetFor(request, snapshotTime);
            });
    dialog->open();
    return dialog;
}

void RestoreWindow::recordOutcome(const RestoreBrowser::RestorePhase& phase) {
    using Kind = RestoreBrowser::RestorePhase::Kind;
    const auto kind = phase.kind == Kind::succeeded    ? RestoreOutcome::Kind::succeeded
                      : phase.kind == Kind::incomplete ? RestoreOutcome::Kind::incomplete
                                                       : RestoreOutcome::Kind::failed;
    // A window closed while its restore ran is hidden until the restore has ended.
    const bool watched = isVisible() && !isMinimized();
    model_.recordRestore({kind, model_.platform().clock->now(), phase.message}, watched);
}

void RestoreWindow::syncSelectionFromBrowser() {
    syncing_ = true;
    QItemSelection rows;
    for (int row = 0; row < files_->rowCount(); ++row) {
        if (browser_.selection().contains(files_->pathAt(row))) {
            rows.select(files_->index(row, 0), files_->index(row, RestoreFileTable::columnCount_ - 1));
        }
    }
    table_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
    refreshFooter();
}

void RestoreWindow::selectionEdited() {
    if (syncing_) {
        return;
    }
    QSet<QString> paths;
    for (const auto& index : table_->selectionModel()->selectedRows()) {
        paths.insert(files_->pathAt(index.row()));
    }
    browser_.setSelection(paths);
    // A change the browser refused leaves its selection; the table shows that one.
    if (browser_.selection() != paths) {
        syncSelectionFromBrowser();
    }
    refreshFooter();
}

void RestoreWindow::tellNothingOpened(const QString& path) {
    auto* alert = new QMessageBox(
        QMessageBox::Information, tr("Restore"),
        tr("Nothing on this computer could open %1. Open it in your file manager.")
            .arg(RestoreMessages::tilded(QFileInfo(path).absolutePath(), model_.platform().folders.home)),
        QMessageBox::Ok, this);
    alert->setObjectName(QStringLiteral("nothingOpened"));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->open();
}

DestinationSheet* RestoreWindow::openDestinationSheet() {
    const auto request = browser_.restoreRequest();
    if (!request) {
        return nullptr;
    }
    const auto now = model_.platform().clock->now();
    return openDestinationSheetFor(*request, browser_.selectedSnapshotDate().value_or(now));
}

DestinationSheet* RestoreWindow::openDestinationSheetFor(const RestoreBrowser::RestoreRequest& request,
                                                         const QDateTime& snapshotTime) {
    const auto now = model_.platform().clock->now();
    auto* sheet = new DestinationSheet(request, snapshotTime, now, model_.platform().folders.home, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &DestinationSheet::restoreChosen, this, &RestoreWindow::restore);
    sheet->open();
    return sheet;
}

QCoro::Task<void> RestoreWindow::restore(RestoreBrowser::RestoreRequest request,
                                         RestoreBrowser::Destination destination) {
    co_await browser_.runRestore(std::move(request), std::move(destination));
}

} // namespace keldoran
