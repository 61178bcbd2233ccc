#include "keldoran_mark.h"

#include <cmath>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace keldoran {

namespace KeldoranMark {

State stateFor(const AppStatus& status) {
    using Kind = AppStatus::Kind;
    switch (status.kind) {
    case Kind::protected_:
        return State::closed;
    case Kind::backingUp:
        return State::broken;
    case Kind::needsSetup:
        return State::outlined;
    case Kind::paused:
    case Kind::offline:
        return State::dimmed;
    case Kind::protectedWithWarnings:
    case Kind::error:
    case Kind::credentialsUnavailable:
    case Kind::fullDiskAccessRequired:
        return State::lifted;
    }
    return State::closed;
}

Shape shapeOf(State state) {
    switch (state) {
    // The seated slab's gap is wide enough that the ring's ends never run under it.
    case State::closed:
        return {58, 0, 0, 1, 1};
    case State::broken:
        return {200, 0, 0, 1, 0};
    case State::outlined:
        return {58, 1, 1, 1, 1};
    case State::dimmed:
        return {58, 0, 0, 0.4, 1};
    case State::lifted:
        return {100, 1, 0, 1, 1};
    }
    return {};
}

Shape interpolate(const Shape& from, const Shape& to, double progress) {
    const auto mix = [progress](double a, double b) {
        return a + (b - a) * progress;
    };
    return {mix(from.gapDegrees, to.gapDegrees), mix(from.slabLift, to.slabLift),
            mix(from.outline, to.outline), mix(from.opacity, to.opacity), mix(from.slabSize, to.slabSize)};
}

void paint(QPainter& painter, const QRectF& bounds, const Shape& shape, double rotationDegrees,
           const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(painter.opacity() * shape.opacity);
    // A 16-unit design grid centred on the mark; the ring's stroke is two units, so 16 px stays crisp.
    const double unit = bounds.width() / 16.0;
    painter.translate(bounds.center());
    painter.scale(unit, unit);

    // Qt's angles run counter-clockwise from three o'clock, in sixteenths of a degree.
    constexpr double gapCentre = 45;
    constexpr double radius = 5;
    // An outline keeps the ring's outer edge, so its thin line lies on whole pixels at 16 px.
    const double stroke = 2.0 - shape.outline;
    const double ringRadius = radius + shape.outline / 2;
    painter.save();
    painter.rotate(rotationDegrees);
    painter.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const double gap = std::clamp(shape.gapDegrees, 1.0, 359.0);
    const QRectF ring(-ringRadius, -ringRadius, 2 * ringRadius, 2 * ringRadius);
    painter.drawArc(ring, int(std::lround((gapCentre + gap / 2) * 16)), int(std::lround((360 - gap) * 16)));
    painter.restore();

    // The slab: a block across the ring's line in the gap, moved outwards as it lifts.
    if (shape.slabSize > 0.01) {
        painter.save();
        painter.rotate(-gapCentre);
        painter.translate(radius + shape.slabLift * 2.6, 0);
        painter.scale(shape.slabSize, shape.slabSize);
        const QRectF slab(-1.5, -2.1, 3.0, 4.2);
        if (shape.outline > 0.5) {
            painter.setPen(QPen(colour, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(slab.adjusted(0.5, 0.5, -0.5, -0.5), 0.6, 0.6);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawRoundedRect(slab, 0.8, 0.8);
        }
        painter.restore();
    }
    painter.restore();
}

QColor panelColour(std::optional<bool> darkPanel) {
    if (!darkPanel) {
        return {0x80, 0x86, 0x8f};
    }
    return *darkPanel ? QColor(0xe8, 0xea, 0xed) : QColor(0x2b, 0x2f, 0x36);
}

QIcon icon(const Shape& shape, double rotationDegrees, const QColor& colour) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(painter, QRectF(0, 0, size, size), shape, rotationDegrees, colour);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace KeldoranMark

} // namespace keldoran
