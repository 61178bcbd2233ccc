#include "restore_file_table.h"

#include "presentation/formatters.h"
#include "restore/restore_browser.h"
#include "widgets/symbols.h"

#include <QFileInfo>
#include <QMouseEvent>

namespace keldoran {

RestoreFileTable::RestoreFileTable(RestoreBrowser& browser, std::function<QDateTime()> now, QObject* parent)
    : QAbstractTableModel(parent)
    , browser_(browser)
    , now_(std::move(now)) {
    const auto reset = [this] {
        beginResetModel();
        endResetModel();
    };
    connect(&browser_, &RestoreBrowser::levelChanged, this, reset);
    connect(&browser_, &RestoreBrowser::searchTextChanged, this, reset);
    connect(&browser_, &RestoreBrowser::selectionChanged, this, [this] {
        if (rowCount() > 0) {
            emit dataChanged(index(0, mark), index(rowCount() - 1, mark), {Qt::DecorationRole});
        }
    });
}

int RestoreFileTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(browser_.visibleEntries().size());
}

int RestoreFileTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QString RestoreFileTable::pathAt(int row) const {
    return browser_.visibleEntries().value(row).path;
}

QString RestoreFileTable::symbolFor(const QString& name, bool isDirectory) {
    if (isDirectory) {
        return QStringLiteral("folder.fill");
    }
    const auto extension = QFileInfo(name).suffix().toLower();
    if (extension == QLatin1String("xlsx") || extension == QLatin1String("csv") ||
        extension == QLatin1String("numbers")) {
        return QStringLiteral("tablecells");
    }
    static const QStringList photos{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                    QStringLiteral("gif"), QStringLiteral("heic")};
    if (photos.contains(extension)) {
        return QStringLiteral("photo");
    }
    return QStringLiteral("doc.text");
}

QVariant RestoreFileTable::data(const QModelIndex& index, int role) const {
    const auto entries = browser_.visibleEntries();
    if (!index.isValid() || index.row() >= entries.size()) {
        return {};
    }
    const auto& entry = entries[index.row()];
    const bool selected = browser_.selection().contains(entry.path);
    switch (index.column()) {
    case mark:
        if (role == Qt::DecorationRole) {
            return Symbols::icon(selected ? QStringLiteral("checkmark.square.fill")
                                          : QStringLiteral("square"));
        }
        if (role == Qt::AccessibleTextRole) {
            return selected ? tr("Selected") : tr("Not selected");
        }
        break;
    case name:
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            return entry.name;
        }
        if (role == Qt::DecorationRole) {
            return Symbols::icon(symbolFor(entry.name, entry.isDirectory()));
        }
        break;
    case size:
        if (role == Qt::DisplayRole && !entry.isDirectory() && entry.size) {
            return Formatters::byteCount(qint64(*entry.size));
        }
        if (role == Qt::TextAlignmentRole) {
            return int(Qt::AlignRight | Qt::AlignVCenter);
        }
        break;
    case modified:
        if (role == Qt::DisplayRole && entry.mtime) {
            return Formatters::modified(*entry.mtime, now_());
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant RestoreFileTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case name:
        return tr("Name");
    case size:
        return tr("Size");
    case modified:
        return tr("Modified");
    default:
        return QString();
    }
}

void RestoreTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    secondClick_ = true;
    releaseOfSecondClick_ = true;
    QTableView::mouseDoubleClickEvent(event);
    secondClick_ = false;
}

void RestoreTableView::mouseReleaseEvent(QMouseEvent* event) {
    secondClick_ = releaseOfSecondClick_;
    releaseOfSecondClick_ = false;
    QTableView::mouseReleaseEvent(event);
    secondClick_ = false;
}

} // namespace keldoran
