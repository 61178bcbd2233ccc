#include "focus_ring_style.h"

#include <QPainter>
#include <QStyleOption>

namespace keldoran {

void FocusRingStyle::drawRing(const QStyleOption* option, QPainter* painter) const {
    if (!(option->state & State_HasFocus) || !(option->state & State_KeyboardFocusChange)) {
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(option->palette.color(QPalette::Highlight), 2);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(1, 1, -1, -1), 3, 3);
    painter->restore();
}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        drawRing(option, painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Text fields draw their own focused frame; the ring goes over it.
    if (element == PE_PanelLineEdit) {
        drawRing(option, painter);
    }
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton) {
        drawRing(option, painter);
    }
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox || control == CC_ToolButton) {
        drawRing(option, painter);
    }
}

} // namespace keldoran
