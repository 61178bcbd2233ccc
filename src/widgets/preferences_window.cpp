#include "preferences_window.h"

#include "backup/backup_controller.h"
#include "change_keys_sheet.h"
#include "folder_chooser.h"
#include "keyboard.h"
#include "layouts.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "presentation/formatters.h"
#include "presentation/wording.h"
#include "remove_data_sheet.h"
#include "restic/retention_policy.h"
#include "scope/backup_scope.h"
#include "storage/storage_config.h"
#include "storage/validation.h"
#include "symbols.h"
#include "text_fitting.h"
#include "widgets/scope/scope_browser.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

// The speeds offered for the upload limit, in MB/s; stored as n × 1024 KiB/s.
constexpr int offeredSpeeds[] = {1, 2, 5, 10};
// Switching the limit on starts at a speed that leaves room for everything else on a home connection.
constexpr qint64 firstLimitKiBps = 5 * 1024;

QLabel* paragraph(const QString& text, QWidget* parent, const QString& name = {}) {
    auto* label = new QLabel(Wording::forPlatform(text), parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    return label;
}

QPushButton* button(const QString& symbol, const QString& text, QWidget* parent, const QString& name) {
    auto* pushButton = new QPushButton(Symbols::icon(symbol), text, parent);
    pushButton->setObjectName(name);
    return pushButton;
}

} // namespace

PreferencesWindow::PreferencesWindow(AppModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , chooseFolder(folderChooser(tr("Exclude")))
    , model_(model) {
    setObjectName(QStringLiteral("preferencesWindow"));
    setWindowTitle(tr("Keldoran Preferences"));
    resize(560, 620);
    auto* platform = &model_.platform();
    runRemoval = [platform](bool includeResticCache) {
        return AppRemoval::live(*platform).run(includeResticCache);
    };

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(backupTab(), tr("Backup"));
    tabs_->addTab(storageTab(), tr("Storage"));
    tabs_->addTab(advancedTab(), tr("Advanced"));
    layout->addWidget(tabs_);

    for (const auto signal :
         {&AppModel::frequencyChanged, &AppModel::backupOnBatteryChanged, &AppModel::backupOnMeteredChanged,
          &AppModel::uploadLimitKiBpsChanged, &AppModel::startAtLoginChanged, &AppModel::storageChanged,
          &AppModel::notificationsEnabledChanged}) {
        connect(&model_, signal, this, &PreferencesWindow::refresh);
    }
    connect(&model_, &AppModel::excludesChanged, this, &PreferencesWindow::refreshExclusions);
    connect(&model_.scope(), &BackupScope::changed, this, &PreferencesWindow::refreshExclusions);
    closeOnEscapeAndCtrlW(this);
    refresh();
    refreshExclusions();
}

QWidget* PreferencesWindow::backupTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    addScheduleRows(tab, layout);
    addLoginRows(tab, layout);
    const auto& policy = RetentionPolicy::standard();
    auto* retention =
        paragraph(tr("Keldoran automatically keeps %1 hourly, %2 daily, and %3 monthly versions. This "
                     "isn't adjustable — sensible by design.")
                      .arg(policy.keepHourly.value_or(0))
                      .arg(policy.keepDaily.value_or(0))
                      .arg(policy.keepMonthly.value_or(0)),
                  tab, QStringLiteral("retention"));
    retention->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(retention);
    addExclusionRows(tab, layout);
    return tab;
}

// How often, and on battery, metered connections or a limited upload.
void PreferencesWindow::addScheduleRows(QWidget* tab, QVBoxLayout* layout) {
    auto* form = new QFormLayout;
    frequency_ = new QComboBox(tab);
    frequency_->setObjectName(QStringLiteral("frequency"));
    frequency_->setAccessibleName(tr("Back up"));
    frequency_->addItem(tr("Every hour"), int(BackupFrequency::hourly));
    frequency_->addItem(tr("Every 6 hours"), int(BackupFrequency::sixHourly));
    frequency_->addItem(tr("Once a day"), int(BackupFrequency::daily));
    form->addRow(tr("Back up"), frequency_);
    layout->addLayout(form);
    connect(frequency_, &QComboBox::activated, this,
            [this](int index) { model_.setFrequency(BackupFrequency(frequency_->itemData(index).toInt())); });

    onBattery_ = new QCheckBox(tr("Back up on battery power"), tab);
    onBattery_->setObjectName(QStringLiteral("backupOnBattery"));
    connect(onBattery_, &QCheckBox::clicked, &model_, &AppModel::setBackupOnBattery);
    layout->addWidget(onBattery_);

    onMetered_ = new QCheckBox(tr("Back up on metered connections"), tab);
    onMetered_->setObjectName(QStringLiteral("backupOnMetered"));
    connect(onMetered_, &QCheckBox::clicked, &model_, &AppModel::setBackupOnMetered);
    layout->addWidget(onMetered_);

    auto* limitRow = new QHBoxLayout;
    limitUpload_ = new QCheckBox(tr("Limit upload speed"), tab);
    limitUpload_->setObjectName(QStringLiteral("limitUpload"));
    uploadSpeed_ = new QComboBox(tab);
    uploadSpeed_->setObjectName(QStringLiteral("uploadSpeed"));
    uploadSpeed_->setAccessibleName(tr("Upload speed"));
    for (const int speed : offeredSpeeds) {
        uploadSpeed_->addItem(tr("%1 MB/s").arg(speed), qint64(speed) * 1024);
    }
    uploadSpeed_->addItem(tr("Unlimited"), QVariant());
    limitRow->addWidget(limitUpload_);
    limitRow->addWidget(uploadSpeed_);
    limitRow->addStretch(1);
    layout->addLayout(limitRow);
    connect(limitUpload_, &QCheckBox::clicked, this, [this](bool on) {
        model_.setUploadLimitKiBps(on ? std::optional<qint64>(firstLimitKiBps) : std::nullopt);
    });
    connect(uploadSpeed_, &QComboBox::activated, this, [this](int index) {
        const auto value = uploadSpeed_->itemData(index);
        model_.setUploadLimitKiBps(value.isValid() ? std::optional<qint64>(value.toLongLong())
                                                   : std::nullopt);
    });
}

void PreferencesWindow::addLoginRows(QWidget* tab, QVBoxLayout* layout) {
    startAtLogin_ = new QCheckBox(tr("Start protecting when I log in"), tab);
    startAtLogin_->setObjectName(QStringLiteral("startAtLogin"));
    connect(startAtLogin_, &QCheckBox::clicked, this, [this](bool on) {
        // The model holds what the desktop reports afterwards, which may differ when registering failed.
        model_.setStartAtLogin(model_.controller().setLoginItemEnabled(on));
        refresh();
    });
    layout->addWidget(startAtLogin_);
    notifications_ = new QCheckBox(tr("Notify me when a backup needs my attention"), tab);
    notifications_->setObjectName(QStringLiteral("notifications"));
    notifications_->setToolTip(
        tr("A failed backup, credentials that can't be read, a home folder that can't be "
           "read, or backups overdue."));
    connect(notifications_, &QCheckBox::clicked, &model_, &AppModel::setNotificationsEnabled);
    layout->addWidget(notifications_);
}

// The exclusions list, its buttons, the scope button and the tally.
void PreferencesWindow::addExclusionRows(QWidget* tab, QVBoxLayout* layout) {
    layout->addWidget(
        paragraph(tr("These are never sent to your backup. Hidden folders are skipped automatically "
                     "(except .ssh, .gnupg, .config and those you tick in “Choose what's backed "
                     "up”), plus sensible defaults and anything you add."),
                  tab));
    // Only the list scrolls: its buttons and the tally stay in view however long it grows.
    auto* scroll = new QScrollArea(tab);
    scroll->setObjectName(QStringLiteral("exclusionScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    auto* rows = new QWidget(scroll);
    rows->setObjectName(QStringLiteral("exclusions"));
    exclusionRows_ = new QVBoxLayout(rows);
    exclusionRows_->setContentsMargins(4, 2, 4, 2);
    exclusionRows_->setSpacing(0);
    scroll->setWidget(rows);
    layout->addWidget(scroll, 1);

    auto* actions = new QHBoxLayout;
    auto* add = button(QStringLiteral("plus"), tr("Add exclusion…"), tab, QStringLiteral("addExclusion"));
    auto* defaults = button(QStringLiteral("arrow.clockwise"), tr("Restore defaults"), tab,
                            QStringLiteral("restoreDefaults"));
    defaults->setToolTip(tr("Re-add the built-in default exclusions; your own entries are kept."));
    actions->addWidget(add);
    actions->addWidget(defaults);
    actions->addStretch(1);
    layout->addLayout(actions);
    connect(add, &QPushButton::clicked, this,
            [this] { chooseFolder(this, [this](const QString& folder) { model_.addExclusion(folder); }); });
    connect(defaults, &QPushButton::clicked, &model_, &AppModel::restoreDefaultExcludes);
    auto* scope = new QPushButton(tr("Choose what's backed up…"), tab);
    scope->setObjectName(QStringLiteral("chooseScope"));
    connect(scope, &QPushButton::clicked, this, &PreferencesWindow::openScopeBrowser);
    layout->addWidget(scope, 0, Qt::AlignLeft);
    tally_ = paragraph({}, tab, QStringLiteral("tally"));
    tally_->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(tally_);
}

QWidget* PreferencesWindow::storageTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(tab);
    icon->setPixmap(Symbols::icon(QStringLiteral("lock.icloud")).pixmap(28, 28));
    storageRow_ = paragraph({}, tab, QStringLiteral("storageSummary"));
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(storageRow_, 1);
    layout->addLayout(row);
    layout->addWidget(paragraph(
        tr("To back up somewhere else, set up a new backup. This one stays restorable with its keys."), tab));
    auto* actions = new QHBoxLayout;
    auto* changeKeys = new QPushButton(tr("Change keys…"), tab);
    changeKeys->setObjectName(QStringLiteral("changeKeys"));
    connect(changeKeys, &QPushButton::clicked, this, &PreferencesWindow::openChangeKeysSheet);
    auto* newBackup = new QPushButton(tr("Set up a new backup…"), tab);
    newBackup->setObjectName(QStringLiteral("setUpNewBackup"));
    connect(newBackup, &QPushButton::clicked, this, &PreferencesWindow::confirmNewBackup);
    actions->addWidget(changeKeys);
    actions->addWidget(newBackup);
    actions->addStretch(1);
    layout->addLayout(actions);
    layout->addStretch(1);
    return tab;
}

QWidget* PreferencesWindow::advancedTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* heading = paragraph(tr("Remove Keldoran and its data"), tab);
    auto font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addWidget(
        paragraph(tr("Deletes the keys, password and settings Keldoran keeps on this Mac. Your backups are "
                     "not touched."),
                  tab));
    auto* remove = new QPushButton(tr("Remove…"), tab);
    remove->setObjectName(QStringLiteral("remove"));
    connect(remove, &QPushButton::clicked, this, &PreferencesWindow::openRemovalSheet);
    layout->addWidget(remove, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return tab;
}

void PreferencesWindow::refresh() {
    frequency_->setCurrentIndex(frequency_->findData(int(model_.frequency())));
    onBattery_->setChecked(model_.backupOnBattery());
    onMetered_->setChecked(model_.backupOnMetered());
    const auto limit = model_.uploadLimitKiBps();
    limitUpload_->setChecked(limit.has_value());
    uploadSpeed_->setVisible(limit.has_value());
    if (limit) {
        auto index = uploadSpeed_->findData(*limit);
        if (index < 0) { // a stored speed that is not offered is shown as it is
            uploadSpeed_->insertItem(0, tr("%1 MB/s").arg(double(*limit) / 1024, 0, 'g', 3), *limit);
            index = 0;
        }
        uploadSpeed_->setCurrentIndex(index);
    }
    startAtLogin_->setChecked(model_.startAtLogin());
    notifications_->setChecked(model_.notificationsEnabled());

    const auto config = StorageConfig::load(*model_.platform().settings);
    QStringList lines;
    if (config) {
        lines << QStringLiteral("%1 · %2").arg(config->provider().shownName(), config->region.shownName())
              << tr("Bucket %1").arg(config->bucket);
    } else if (model_.platform().settings->contains(SettingsKeys::storageConfig)) {
        lines << SetupMessages::unreadableConfiguration();
    } else {
        lines << tr("No storage set up yet");
    }
    lines << tr("Encrypted · your bucket");
    storageRow_->setText(TextFitting::wrappable(lines.join(QLatin1Char('\n'))));
}

QString PreferencesWindow::tallyText() const {
    return ScopeBrowser::summary(model_.scope().scopeTally(model_.excludes()));
}

void PreferencesWindow::refreshExclusions() {
    clearLayout(exclusionRows_);
    for (const auto& item : model_.excludes()) {
        auto* row = new QWidget;
        row->setObjectName(QStringLiteral("exclusion"));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 1, 0, 1);
        auto* icon = new QLabel(row);
        icon->setPixmap(Symbols::icon(QStringLiteral("folder.badge.minus")).pixmap(16, 16));
        auto* name = new ElidingLabel(row);
        name->setFullText(item.path);
        auto* stop = new QToolButton(row);
        stop->setObjectName(QStringLiteral("stopExcluding"));
        stop->setIcon(Symbols::icon(QStringLiteral("minus")));
        stop->setAutoRaise(true);
        const auto label = tr("Stop excluding %1").arg(item.path);
        stop->setToolTip(label);
        stop->setAccessibleName(label);
        const auto id = item.id;
        connect(stop, &QToolButton::clicked, this, [this, id] { model_.removeExclusion(id); });
        layout->addWidget(icon);
        layout->addWidget(name, 1);
        layout->addWidget(stop);
        exclusionRows_->addWidget(row);
    }
    exclusionRows_->addStretch(1);
    tally_->setText(tallyText());
}

ScopeBrowser* PreferencesWindow::openScopeBrowser() {
    auto* browser = new ScopeBrowser(model_.scope(), model_.excludes(), this);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->open();
    return browser;
}

ChangeKeysSheet* PreferencesWindow::openChangeKeysSheet() {
    auto* controller = &model_.controller();
    auto* sheet = new ChangeKeysSheet(
        [controller](QString accessKey, QString secretKey) {
            return controller->changeKeys(std::move(accessKey), std::move(secretKey));
        },
        this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
    return sheet;
}

QMessageBox* PreferencesWindow::confirmNewBackup() {
    const auto config = StorageConfig::load(*model_.platform().settings);
    auto* confirm = new QMessageBox(
        QMessageBox::Question, tr("Set up a new backup?"),
        config ? tr("Keldoran will back up to the storage you set up next. Your current backup in bucket %1 "
                    "is not touched and stays restorable with its keys and password.")
                     .arg(config->bucket)
               : tr("Keldoran will back up to the storage you set up next. Your current backup is not "
                    "touched and stays restorable with its keys and password."),
        QMessageBox::Cancel, this);
    confirm->setObjectName(QStringLiteral("confirmNewBackup"));
    auto* proceed = confirm->addButton(tr("Set Up New Backup"), QMessageBox::AcceptRole);
    proceed->setObjectName(QStringLiteral("proceed"));
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    connect(proceed, &QPushButton::clicked, &model_, &AppModel::requestSetup);
    confirm->open();
    return confirm;
}

RemoveDataSheet* PreferencesWindow::openRemovalSheet() {
    auto* sheet = new RemoveDataSheet(
        AppRemoval::directorySize(AppRemoval::live(model_.platform()).locations.resticCache), this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    // The removal runs once the sheet has closed.
    auto request = std::make_shared<std::optional<bool>>();
    connect(sheet, &RemoveDataSheet::removeRequested, this, [request](bool include) { *request = include; });
    connect(sheet, &QDialog::finished, this, [this, request] {
        if (const auto include = *request) {
            request->reset();
            remove(*include);
        }
    });
    sheet->open();
    return sheet;
}

QCoro::Task<void> PreferencesWindow::remove(bool includeResticCache) {
    removing_ = true;
    const auto outcome = co_await runRemoval(includeResticCache);
    removing_ = false;
    if (outcome.failed.isEmpty()) {
        emit quitRequested();
        co_return;
    }
    auto* alert = new QMessageBox(QMessageBox::Warning, QStringLiteral("Keldoran"),
                                  tr("Some items could not be removed. The log has the details."),
                                  QMessageBox::Ok, this);
    alert->setObjectName(QStringLiteral("removalAlert"));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->open();
}

void PreferencesWindow::closeEvent(QCloseEvent* event) {
    // A removal in flight resumes into this window; it stays until that has answered.
    if (removing_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace keldoran
