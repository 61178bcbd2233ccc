#include "scope_browser.h"

#include "presentation/formatters.h"
#include "scope/backup_scope.h"
#include "scope/exclude_row.h"
#include "widgets/layouts.h"
#include "widgets/symbols.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace keldoran {

ScopeBrowser::ScopeBrowser(BackupScope& scope, QList<ExcludeItem> exclusionList, QWidget* parent)
    : QDialog(parent)
    , scope_(scope)
    , exclusionList_(std::move(exclusionList)) {
    setObjectName(QStringLiteral("scopeBrowser"));
    setWindowTitle(tr("Choose what's backed up"));
    setWindowModality(Qt::WindowModal);
    resize(520, 560);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("Your home folder is backed up, except the exclusions below."), this);
    heading->setWordWrap(true);
    auto* saved = new QLabel(tr("Changes are saved immediately."), this);
    saved->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(heading);
    layout->addWidget(saved);

    auto* top = new QHBoxLayout;
    breadcrumb_ = new QHBoxLayout;
    breadcrumb_->setSpacing(2);
    top->addLayout(breadcrumb_, 1);
    auto* showHidden = new QCheckBox(tr("Show hidden folders"), this);
    showHidden->setObjectName(QStringLiteral("showHidden"));
    showHidden->setToolTip(tr(
        "Hidden folders hold app data such as mail and browser profiles. They are skipped unless ticked."));
    connect(showHidden, &QCheckBox::toggled, this, &ScopeBrowser::setShowsHidden);
    top->addWidget(showHidden);
    layout->addLayout(top);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    list->setObjectName(QStringLiteral("scopeRows"));
    rows_ = new QVBoxLayout(list);
    rows_->setSpacing(2);
    scroll->setWidget(list);
    layout->addWidget(scroll, 1);

    auto* tallyRow = new QHBoxLayout;
    auto* tallyIcon = new QLabel(this);
    tallyIcon->setPixmap(Symbols::icon(QStringLiteral("folder.badge.minus")).pixmap(16, 16));
    tally_ = new QLabel(this);
    tally_->setObjectName(QStringLiteral("tally"));
    tallyRow->addWidget(tallyIcon);
    tallyRow->addWidget(tally_, 1);
    layout->addLayout(tallyRow);

    auto* buttons = new QDialogButtonBox(this);
    auto* done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    done->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    connect(&scope_, &BackupScope::changed, this, &ScopeBrowser::rebuild);
    rebuild();
}

void ScopeBrowser::descend(const BackupNode& folder) {
    pathStack_.append(folder);
    rebuild();
}

void ScopeBrowser::setShowsHidden(bool shown) {
    showsHidden_ = shown;
    rebuild();
}

void ScopeBrowser::navigate(int crumb) {
    pathStack_ = pathStack_.mid(0, std::max(0, crumb));
    rebuild();
}

QString ScopeBrowser::tallyText() const {
    const auto count = scope_.excluded().size();
    if (count == 0) {
        return tr("Nothing skipped");
    }
    const auto skipping = tr("Skipping %Ln places", nullptr, int(count));
    if (!scope_.allExcludedSizesKnown()) {
        return tr("%1 · size not yet calculated").arg(skipping);
    }
    const auto bytes = scope_.excludedBytes();
    return bytes > 0 ? tr("%1 · ~%2 not backed up").arg(skipping, Formatters::byteCount(bytes)) : skipping;
}

QString ScopeBrowser::summary(const BackupScope::Tally& tally) {
    auto text = tr("Next backup: your home folder, minus %1, %2 and %3 — plus cache folders.")
                    .arg(tr("%Ln entries from this list", nullptr, tally.listCount),
                         tr("%Ln unticked folders", nullptr, tally.untickedCount),
                         tr("%Ln hidden folders", nullptr, tally.hiddenCount));
    if (tally.keptHiddenCount > 0) {
        text += QLatin1Char(' ') +
                tr("Also backs up %Ln hidden folders you chose.", nullptr, tally.keptHiddenCount);
    }
    return text;
}

void ScopeBrowser::rebuild() {
    QStringList crumbs{tr("Home")};
    for (const auto& folder : pathStack_) {
        crumbs.append(folder.name);
    }
    fillBreadcrumb(breadcrumb_, crumbs, [this](int crumb) { navigate(crumb); });

    clearLayout(rows_);
    const auto current = pathStack_.isEmpty() ? scope_.root() : pathStack_.last();
    // Listing may fill the scope's cache, which signals a change: rows are built from this one listing.
    const QSignalBlocker quiet(&scope_);
    const auto nodes = showsHidden_ ? scope_.childrenWithHidden(current.id, current.isDirectory)
                                    : scope_.children(current.id, current.isDirectory);
    for (const auto& node : nodes) {
        rows_->addWidget(rowFor(node));
    }
    rows_->addStretch(1);
    tally_->setText(tallyText());
}

QWidget* ScopeBrowser::rowFor(const BackupNode& node) {
    const auto row = ExcludeRow::of(scope_, node, exclusionList_);
    const bool excluded = row.state == BackupScope::TriState::excluded;
    auto* widget = new QWidget;
    widget->setObjectName(QStringLiteral("scopeRow"));
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(4, 2, 4, 2);

    auto* tick = new QToolButton(widget);
    tick->setObjectName(QStringLiteral("tick"));
    tick->setIcon(Symbols::icon(row.checkboxSymbol()));
    tick->setProperty("symbol", row.checkboxSymbol());
    tick->setAutoRaise(true);
    tick->setAccessibleName(node.name);
    tick->setAccessibleDescription(row.accessibilityValue());
    // Only Preferences, where the entry is, can take it out again.
    tick->setEnabled(!row.excludedInPreferences);
    connect(tick, &QToolButton::clicked, this, [this, node] { scope_.toggle(node); });
    layout->addWidget(tick);

    auto* item = new QWidget(widget);
    auto* itemLayout = new QHBoxLayout(item);
    itemLayout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel(item);
    icon->setPixmap(Symbols::icon(QStringLiteral("folder.fill"))
                        .pixmap(16, 16, excluded ? QIcon::Disabled : QIcon::Normal));
    itemLayout->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    auto* name = new QLabel(node.name, item);
    name->setObjectName(QStringLiteral("name"));
    name->setTextFormat(Qt::PlainText);
    auto font = name->font();
    font.setStrikeOut(excluded);
    name->setFont(font);
    texts->addWidget(name);
    if (row.hint) {
        auto* hint = new QLabel(*row.hint, item);
        hint->setObjectName(QStringLiteral("hint"));
        hint->setTextFormat(Qt::PlainText);
        hint->setForegroundRole(QPalette::PlaceholderText);
        auto small = hint->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        hint->setFont(small);
        texts->addWidget(hint);
    }
    itemLayout->addLayout(texts, 1);
    if (excluded) {
        auto* faded = new QGraphicsOpacityEffect(item);
        faded->setOpacity(0.55);
        item->setGraphicsEffect(faded);
    }
    layout->addWidget(item, 1);

    if (row.canDescend) {
        auto* open = new QToolButton(widget);
        open->setObjectName(QStringLiteral("open"));
        open->setIcon(Symbols::icon(QStringLiteral("chevron.right")));
        open->setAutoRaise(true);
        open->setAccessibleName(tr("Open"));
        open->setToolTip(tr("Open"));
        connect(open, &QToolButton::clicked, this, [this, node] { descend(node); });
        layout->addWidget(open);
    }
    return widget;
}

} // namespace keldoran
