#include "remove_data_sheet.h"

#include "presentation/formatters.h"
#include "presentation/wording.h"
#include "symbols.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

QLabel* paragraph(const QString& text, QWidget* parent) {
    auto* label = new QLabel(Wording::forPlatform(text), parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

RemoveDataSheet::RemoveDataSheet(std::optional<qint64> resticCacheBytes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("removeDataSheet"));
    setWindowTitle(tr("Remove Keldoran"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(440);
    auto* layout = new QVBoxLayout(this);
    auto* title = paragraph(tr("Remove Keldoran and its data?"), this);
    title->setObjectName(QStringLiteral("title"));
    auto font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    layout->addWidget(title);
    layout->addWidget(paragraph(tr("This removes everything Keldoran keeps on this Mac."), this));
    const std::pair<const char*, QString> items[] = {
        {"lock.fill", tr("Your storage keys and repository password")},
        {"gearshape", tr("Your settings and logs on this Mac")},
        {"power", tr("The login item and the background agent")},
    };
    for (const auto& [symbol, text] : items) {
        auto* row = new QHBoxLayout;
        auto* icon = new QLabel(this);
        icon->setPixmap(Symbols::icon(QString::fromLatin1(symbol)).pixmap(16, 16));
        row->addWidget(icon);
        row->addWidget(paragraph(text, this), 1);
        layout->addLayout(row);
    }
    layout->addWidget(
        paragraph(tr("Your backups are not deleted. Everything in your storage stays exactly as it is, "
                     "and stays restorable with your keys."),
                  this));
    if (resticCacheBytes) {
        includeResticCache_ = new QCheckBox(
            tr("Also delete the restic cache (%1)").arg(Formatters::byteCount(*resticCacheBytes)), this);
        includeResticCache_->setObjectName(QStringLiteral("includeResticCache"));
        layout->addWidget(includeResticCache_);
        auto* note = paragraph(
            tr("It is shared with any other restic on this Mac, so it is left alone unless you ask."), this);
        note->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(note);
    }
    auto* footer = paragraph(tr("Keldoran will quit. Drag it to the Trash to finish."), this);
    footer->setObjectName(QStringLiteral("footer"));
    footer->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(footer);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole)->setDefault(true);
    auto* remove = buttons->addButton(tr("Remove and quit"), QDialogButtonBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("removeAndQuit"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this] {
        emit removeRequested(includeResticCache_ && includeResticCache_->isChecked());
        accept();
    });
}

} // namespace keldoran
