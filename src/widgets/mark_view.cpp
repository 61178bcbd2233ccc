#include "mark_view.h"

#include "mark_animator.h"

#include <QPainter>

namespace keldoran {

MarkView::MarkView(MarkAnimator& animator, int size, QWidget* parent)
    : QWidget(parent)
    , animator_(animator) {
    setFixedSize(size, size);
    setAccessibleName(QStringLiteral("Keldoran"));
    connect(&animator_, &MarkAnimator::changed, this, qOverload<>(&QWidget::update));
}

void MarkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    KeldoranMark::paint(painter, QRectF(rect()), animator_.shape(), animator_.rotation(),
                        palette().color(QPalette::WindowText));
}

} // namespace keldoran
