#include "destination_sheet.h"

#include "presentation/formatters.h"
#include "restic/restore_selection.h"
#include "restore/restore_messages.h"
#include "widgets/folder_chooser.h"
#include "widgets/symbols.h"
#include "widgets/text_fitting.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

QRadioButton* card(const QString& title, const QString& detail, QWidget* parent, const QString& name) {
    auto* option = new QRadioButton(detail.isEmpty() ? title : title + QLatin1Char('\n') + detail, parent);
    option->setObjectName(name);
    option->setAccessibleName(title);
    option->setAccessibleDescription(detail);
    return option;
}

} // namespace

DestinationSheet::DestinationSheet(RestoreBrowser::RestoreRequest request, const QDateTime& snapshotDate,
                                   const QDateTime& now, QString home, QWidget* parent)
    : QDialog(parent)
    , chooseFolder(folderChooser(tr("Choose")))
    , request_(std::move(request))
    , home_(std::move(home)) {
    setObjectName(QStringLiteral("destinationSheet"));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Restore"));
    setFixedWidth(400);

    auto* layout = new QVBoxLayout(this);
    addSummary(layout, snapshotDate, now);
    addDestinationChoice(layout);
    addConflictChoice(layout);
    auto* buttons = new QDialogButtonBox(this);
    auto* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* restore = buttons->addButton(tr("Restore"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restore"));
    restore->setIcon(Symbols::icon(QStringLiteral("clock.arrow.circlepath")));
    restore->setDefault(true);
    layout->addWidget(buttons);
    follow(buttons, restore);
    original_->setChecked(true);
    keepBoth_->setChecked(true);
    refresh();
}

// What is restored: how many items, from when, and which.
void DestinationSheet::addSummary(QVBoxLayout* layout, const QDateTime& snapshotDate, const QDateTime& now) {
    auto* title = new QLabel(tr("Restore %Ln items", nullptr, int(request_.paths.size())), this);
    title->setObjectName(QStringLiteral("title"));
    auto font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    auto* subtitle = new QLabel(subtitleFor(snapshotDate, now), this);
    subtitle->setObjectName(QStringLiteral("subtitle"));
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    auto* items = new QLabel(TextFitting::wrappable(itemList(request_.paths)), this);
    items->setObjectName(QStringLiteral("items"));
    items->setTextFormat(Qt::PlainText);
    items->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addWidget(items);
}

void DestinationSheet::addDestinationChoice(QVBoxLayout* layout) {
    auto* where = new QGroupBox(tr("Restore to"), this);
    auto* whereLayout = new QVBoxLayout(where);
    original_ = card(tr("Original location"), RestoreMessages::tilded(request_.folder, home_), where,
                     QStringLiteral("original"));
    another_ = card(tr("Another folder…"), {}, where, QStringLiteral("another"));
    choose_ = new QPushButton(where);
    choose_->setObjectName(QStringLiteral("choose"));
    chosenFolderLabel_ = new ElidingLabel(where);
    chosenFolderLabel_->setObjectName(QStringLiteral("chosenFolder"));
    chosenFolderLabel_->setForegroundRole(QPalette::PlaceholderText);
    auto* anotherRow = new QHBoxLayout;
    anotherRow->addWidget(another_, 1);
    anotherRow->addWidget(choose_);
    whereLayout->addWidget(original_);
    whereLayout->addLayout(anotherRow);
    whereLayout->addWidget(chosenFolderLabel_);
    auto* whereGroup = new QButtonGroup(this);
    whereGroup->addButton(original_);
    whereGroup->addButton(another_);
    layout->addWidget(where);
}

void DestinationSheet::addConflictChoice(QVBoxLayout* layout) {
    auto* conflict = new QGroupBox(tr("If a file already exists there"), this);
    auto* conflictLayout = new QVBoxLayout(conflict);
    keepBoth_ = card(tr("Keep both"), {}, conflict, QStringLiteral("keepBoth"));
    replace_ = card(tr("Replace"), {}, conflict, QStringLiteral("replace"));
    auto* cards = new QHBoxLayout;
    cards->addWidget(keepBoth_);
    cards->addWidget(replace_);
    conflictLayout->addLayout(cards);
    explanation_ = new QLabel(conflict);
    explanation_->setObjectName(QStringLiteral("explanation"));
    explanation_->setWordWrap(true);
    conflictLayout->addWidget(explanation_);
    auto* conflictGroup = new QButtonGroup(this);
    conflictGroup->addButton(keepBoth_);
    conflictGroup->addButton(replace_);
    layout->addWidget(conflict);
}

void DestinationSheet::follow(QDialogButtonBox* buttons, QPushButton* restore) {
    connect(original_, &QRadioButton::toggled, this, [this](bool on) {
        useOriginal_ = on;
        refresh();
    });
    connect(keepBoth_, &QRadioButton::toggled, this, [this](bool on) {
        conflict_ = on ? RestoreConflict::keepBoth : RestoreConflict::replace;
        refresh();
    });
    connect(choose_, &QPushButton::clicked, this, [this] {
        chooseFolder(this, [this](const QString& folder) {
            chosenFolder_ = folder;
            another_->setChecked(true);
            another_->setFocus(); // the chosen card, as a click would: Tab reaches it
            refresh();
        });
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Without a destination the sheet stays: "Another folder…" with no folder chosen yet.
    connect(restore, &QPushButton::clicked, this, [this] {
        if (const auto destination = currentDestination()) {
            emit restoreChosen(request_, *destination);
            accept();
        }
    });
}

QString DestinationSheet::subtitleFor(const QDateTime& snapshotDate, const QDateTime& now) {
    const auto day = snapshotDate.toLocalTime().date();
    const auto today = now.toLocalTime().date();
    const auto time = Formatters::shortTime(snapshotDate);
    if (day == today) {
        return tr("From the snapshot taken today at %1").arg(time);
    }
    if (day == today.addDays(-1)) {
        return tr("From the snapshot taken yesterday at %1").arg(time);
    }
    return tr("From the snapshot taken %1 at %2")
        .arg(QLocale().toString(day, tr("d MMM yyyy", "date format of QLocale")), time);
}

QString DestinationSheet::itemList(const QStringList& paths) {
    constexpr qsizetype listed = 4;
    QStringList names;
    for (const auto& path : paths.mid(0, listed)) {
        names.append(lastPathComponent(path));
    }
    if (paths.size() > listed) {
        return tr("%1 and %Ln more", nullptr, int(paths.size() - listed))
            .arg(names.join(QStringLiteral(", ")));
    }
    if (names.size() <= 1) {
        return names.value(0);
    }
    return tr("%1 and %2").arg(names.mid(0, names.size() - 1).join(QStringLiteral(", ")), names.last());
}

std::optional<RestoreBrowser::Destination> DestinationSheet::currentDestination() const {
    RestoreBrowser::Destination destination;
    destination.conflict = conflict_;
    if (useOriginal_) {
        return destination;
    }
    if (!chosenFolder_) {
        return std::nullopt;
    }
    destination.location = RestoreBrowser::Destination::Location::another;
    destination.folder = *chosenFolder_;
    return destination;
}

void DestinationSheet::refresh() {
    choose_->setText(chosenFolder_ ? tr("Change…") : tr("Choose…"));
    chosenFolderLabel_->setFullText(chosenFolder_ ? RestoreMessages::tilded(*chosenFolder_, home_)
                                                  : QString());
    chosenFolderLabel_->setVisible(chosenFolder_.has_value());
    explanation_->setText(
        conflict_ == RestoreConflict::keepBoth
            ? tr("Keeping both restores as name (restored).ext — your current files stay untouched.")
            : tr("Replace overwrites the current files at the destination."));
}

} // namespace keldoran
