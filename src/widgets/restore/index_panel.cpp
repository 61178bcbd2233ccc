#include "index_panel.h"

#include "restore/restore_messages.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace keldoran {

IndexPanel::IndexPanel(RestoreBrowser& browser, QString home, QWidget* parent)
    : QWidget(parent)
    , browser_(browser)
    , home_(std::move(home)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    found_ = new QLabel(this);
    found_->setObjectName(QStringLiteral("foundElsewhere"));
    matches_ = new QListWidget(this);
    matches_->setObjectName(QStringLiteral("matchesElsewhere"));
    matches_->setAccessibleName(tr("Matches in other folders"));
    matches_->setMaximumHeight(120);
    indexing_ = new QLabel(this);
    indexing_->setObjectName(QStringLiteral("indexing"));
    indexing_->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(found_);
    layout->addWidget(matches_);
    layout->addWidget(indexing_);

    connect(&browser_, &RestoreBrowser::indexingChanged, this, &IndexPanel::refresh);
    connect(&browser_, &RestoreBrowser::searchTextChanged, this, &IndexPanel::refresh);
    connect(&browser_, &RestoreBrowser::levelChanged, this, &IndexPanel::refresh);
    connect(matches_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const auto row = matches_->row(item);
        if (row >= 0 && row < shown_.size()) {
            browser_.openMatch(shown_[row]);
        }
    });
    refresh();
}

void IndexPanel::refresh() {
    const auto progress = browser_.indexingProgress();
    indexing_->setText(progress ? RestoreMessages::indexing(progress) : QString());
    indexing_->setVisible(progress.has_value());

    shown_ = browser_.searchText().isEmpty() ? QList<SnapshotIndex::Match>() : browser_.matchesElsewhere();
    matches_->clear();
    for (const auto& match : shown_) {
        matches_->addItem(RestoreMessages::matchLine(match.entry.name, match.folder, home_));
    }
    found_->setText(RestoreMessages::foundElsewhere(browser_.matchingFolderCount()));
    found_->setVisible(!shown_.isEmpty());
    matches_->setVisible(!shown_.isEmpty());
}

} // namespace keldoran
