#pragma once

#include <functional>
#include <QAbstractTableModel>
#include <QDateTime>
#include <QTableView>

namespace keldoran {

class RestoreBrowser;

/// The restore window's table: the level's visible entries with a selection mark, Name, Size and
/// Modified. It reads the browser; it keeps nothing.
class RestoreFileTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { mark, name, size, modified, columnCount_ };

    RestoreFileTable(RestoreBrowser& browser, std::function<QDateTime()> now, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// The entry path of a row.
    QString pathAt(int row) const;
    /// The symbol of a file by its extension: "tablecells", "photo" or "doc.text"; "folder.fill" for folders.
    static QString symbolFor(const QString& name, bool isDirectory);

private:
    RestoreBrowser& browser_;
    std::function<QDateTime()> now_;
};

/// The table view, telling the browser whether the event being handled is the second click of a
/// double-click (the double-click and the release after it).
class RestoreTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    bool isHandlingSecondClick() const { return secondClick_; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool secondClick_ = false;
    bool releaseOfSecondClick_ = false;
};

} // namespace keldoran
