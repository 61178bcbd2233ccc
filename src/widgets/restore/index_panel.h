#pragma once

#include "restore/restore_browser.h"

#include <QWidget>

class QLabel;
class QListWidget;

namespace keldoran {

/// Under the restore window's files: the quiet indexing line, and the search's matches in other folders
/// once the snapshot is indexed. Choosing a match opens its folder with it selected.
class IndexPanel : public QWidget {
    Q_OBJECT
public:
    IndexPanel(RestoreBrowser& browser, QString home, QWidget* parent = nullptr);

    QListWidget* matches() { return matches_; }

private:
    void refresh();

    RestoreBrowser& browser_;
    QString home_;
    QLabel* indexing_;
    QLabel* found_;
    QListWidget* matches_;
    QList<SnapshotIndex::Match> shown_;
};

} // namespace keldoran
