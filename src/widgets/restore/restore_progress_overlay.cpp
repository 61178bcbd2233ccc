#include "restore_progress_overlay.h"

#include "presentation/wording.h"
#include "widgets/layouts.h"
#include "widgets/symbols.h"
#include "widgets/text_fitting.h"

#include <cmath>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace keldoran {

RestoreProgressOverlay::RestoreProgressOverlay(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("restoreOverlay"));
    parent->installEventFilter(this);
    card_ = new QWidget(this);
    auto* card = card_;
    card->setAutoFillBackground(true);
    card->setFixedWidth(320);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(24, 20, 24, 20);
    icon_ = new QLabel(card);
    icon_->setAlignment(Qt::AlignCenter);
    title_ = new QLabel(card);
    title_->setObjectName(QStringLiteral("overlayTitle"));
    title_->setAlignment(Qt::AlignCenter);
    auto font = title_->font();
    font.setBold(true);
    title_->setFont(font);
    message_ = new QLabel(card);
    message_->setObjectName(QStringLiteral("overlayMessage"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignCenter);
    message_->setTextFormat(Qt::PlainText);
    progress_ = new QProgressBar(card);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(tr("Restore progress"));
    reveal_ = new QPushButton(Wording::forPlatform(tr("Show in Finder")), card);
    reveal_->setObjectName(QStringLiteral("reveal"));
    done_ = new QPushButton(tr("Done"), card);
    done_->setObjectName(QStringLiteral("done"));
    done_->setDefault(true);
    layout->addWidget(icon_);
    layout->addWidget(title_);
    layout->addWidget(message_);
    layout->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(reveal_);
    buttons->addWidget(done_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    auto* centre = new QVBoxLayout(this);
    centre->addStretch(1);
    centre->addWidget(card, 0, Qt::AlignHCenter);
    centre->addStretch(1);
    connect(reveal_, &QPushButton::clicked, this, [this] { emit revealRequested(destination_); });
    connect(done_, &QPushButton::clicked, this, &RestoreProgressOverlay::dismissed);
    QWidget::hide();
}

QString RestoreProgressOverlay::restoringText(double progress) {
    const auto percent = qint64(std::floor(std::clamp(progress, 0.0, 1.0) * 100));
    return tr("Restoring… %1%").arg(percent);
}

void RestoreProgressOverlay::show(const RestoreBrowser::RestorePhase& phase) {
    using Kind = RestoreBrowser::RestorePhase::Kind;
    if (phase.kind == Kind::idle) {
        hide();
        return;
    }
    const bool restoring = phase.kind == Kind::restoring;
    progress_->setVisible(restoring);
    // Whatever arrived can be looked at, also after a restore that did not deliver everything.
    reveal_->setVisible(phase.kind == Kind::succeeded || phase.kind == Kind::incomplete);
    done_->setVisible(!restoring);
    message_->setVisible(!restoring && !phase.message.isEmpty());
    message_->setText(TextFitting::wrappable(phase.message));
    icon_->setVisible(!restoring);
    destination_ = phase.destination;
    switch (phase.kind) {
    case Kind::restoring:
        title_->setText(restoringText(phase.progress));
        progress_->setValue(int(std::clamp(phase.progress, 0.0, 1.0) * 1000));
        break;
    case Kind::succeeded:
        icon_->setPixmap(Symbols::icon(QStringLiteral("checkmark.circle.fill")).pixmap(40, 40));
        title_->setText(tr("Restore complete"));
        break;
    case Kind::incomplete:
        icon_->setPixmap(Symbols::icon(QStringLiteral("exclamationmark.triangle.fill")).pixmap(40, 40));
        title_->setText(tr("Restore incomplete"));
        break;
    case Kind::failed:
        icon_->setPixmap(Symbols::icon(QStringLiteral("exclamationmark.triangle.fill")).pixmap(40, 40));
        title_->setText(tr("Restore failed"));
        break;
    case Kind::idle:
        break;
    }
    setGeometry(parentWidget()->rect());
    raise();
    QWidget::show();
    // Centred, the card gets its plain size hint; wrapped lines need the height for its width.
    card_->setFixedHeight(layoutHeightForWidth(card_->layout(), card_->width()));
    if (!restoring) {
        done_->setFocus();
    }
}

bool RestoreProgressOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void RestoreProgressOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 90));
}

} // namespace keldoran
