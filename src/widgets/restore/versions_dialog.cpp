#include "versions_dialog.h"

#include "presentation/formatters.h"
#include "restic/restore_selection.h"
#include "restore/restore_messages.h"

#include <algorithm>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace keldoran {

VersionsDialog::VersionsDialog(const QString& path, QList<SnapshotIndex::Version> versions,
                               const QDateTime& now, QWidget* parent)
    : QDialog(parent)
    , path_(path)
    , versions_(std::move(versions)) {
    setObjectName(QStringLiteral("versions"));
    setWindowTitle(RestoreMessages::versionsTitle(lastPathComponent(path)));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setAccessibleName(tr("Versions"));
    for (const auto& version : versions_) {
        const auto& entry = version.entry;
        list_->addItem(RestoreMessages::versionLine(
            Formatters::recentBackupTimestamp(version.snapshotTime, now),
            entry.size ? Formatters::byteCount(qint64(*entry.size)) : QStringLiteral("—"),
            entry.mtime ? Formatters::modified(*entry.mtime, now) : QStringLiteral("—")));
    }
    // Each version's line is read whole: the list is as wide as its widest line, up to a screen's width.
    const int lines = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                      list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    list_->setMinimumWidth(std::min(lines, 900));
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    restore_ = buttons->addButton(tr("Restore…"), QDialogButtonBox::AcceptRole);
    restore_->setEnabled(false);
    layout->addWidget(buttons);
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { restore_->setEnabled(row >= 0); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore_, &QPushButton::clicked, this, [this] {
        const auto row = list_->currentRow();
        if (row < 0 || row >= versions_.size()) {
            return;
        }
        const auto& version = versions_[row];
        emit restoreRequested({version.snapshotId, parentPath(path_), {path_}}, version.snapshotTime);
        accept();
    });
}

} // namespace keldoran
