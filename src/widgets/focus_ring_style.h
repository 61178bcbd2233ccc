#pragma once

#include <QProxyStyle>

namespace keldoran {

/// The desktop's style with a focus ring that can be seen: two pixels of the highlight colour around the
/// control that has the keyboard focus, where the default style draws a faint outline.
class FocusRingStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

private:
    void drawRing(const QStyleOption* option, QPainter* painter) const;
};

} // namespace keldoran
