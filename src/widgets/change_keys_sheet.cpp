#include "change_keys_sheet.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace keldoran {

ChangeKeysSheet::ChangeKeysSheet(Change change, QWidget* parent)
    : QDialog(parent)
    , change_(std::move(change)) {
    setObjectName(QStringLiteral("changeKeysSheet"));
    setWindowTitle(tr("Change keys"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(420);
    auto* layout = new QVBoxLayout(this);
    auto* explanation =
        new QLabel(tr("Keldoran checks the new keys against your backup, and keeps the old ones until they "
                      "work."),
                   this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    auto* fields = new QFormLayout;
    accessKey_ = new QLineEdit(this);
    accessKey_->setObjectName(QStringLiteral("accessKey"));
    secretKey_ = new QLineEdit(this);
    secretKey_->setObjectName(QStringLiteral("secretKey"));
    secretKey_->setEchoMode(QLineEdit::Password);
    fields->addRow(tr("Access key"), accessKey_);
    fields->addRow(tr("Secret key"), secretKey_);
    layout->addLayout(fields);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    layout->addWidget(message_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    save_ = buttons->addButton(tr("Check and save"), QDialogButtonBox::AcceptRole);
    save_->setObjectName(QStringLiteral("save"));
    save_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    for (auto* field : {accessKey_, secretKey_}) {
        connect(field, &QLineEdit::textChanged, this, &ChangeKeysSheet::refresh);
    }
    refresh();
}

void ChangeKeysSheet::refresh() {
    save_->setEnabled(!checking_ && !accessKey_->text().trimmed().isEmpty() && !secretKey_->text().isEmpty());
}

QCoro::Task<void> ChangeKeysSheet::save() {
    checking_ = true;
    message_->setText(tr("Checking…"));
    refresh();
    QPointer<ChangeKeysSheet> alive(this);
    const auto refused = co_await change_(accessKey_->text().trimmed(), secretKey_->text());
    if (!alive) {
        co_return;
    }
    checking_ = false;
    if (!refused) {
        accept();
        co_return;
    }
    message_->setText(*refused);
    refresh();
}

} // namespace keldoran
