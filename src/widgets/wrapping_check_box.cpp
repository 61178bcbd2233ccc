#include "wrapping_check_box.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace keldoran {

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent)
    : QWidget(parent)
    , box_(new QCheckBox(this))
    , sentence_(new QLabel(text, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    box_->setAccessibleName(text);
    sentence_->setWordWrap(true);
    sentence_->setBuddy(box_);
    sentence_->installEventFilter(this);
    row->addWidget(box_, 0, Qt::AlignTop);
    row->addWidget(sentence_, 1);
}

bool WrappingCheckBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sentence_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && box_->isEnabled()) {
        box_->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace keldoran
