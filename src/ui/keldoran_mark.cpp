#include "keldoran_mark.h"

#include <cmath>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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
    case State::closed:
        return {0, 0, 0, 1};
    case State::broken:
        return {70, 0, 0, 1};
    case State::outlined:
        return {0, 0, 1, 1};
    case State::dimmed:
        return {0, 0, 0, 0.4};
    case State::lifted:
        return {80, 1, 0, 1};
    }
    return {};
}

Shape interpolate(const Shape& from, const Shape& to, double progress) {
    const auto mix = [progress](double a, double b) {
        return a + (b - a) * progress;
    };
    return {mix(from.gapDegrees, to.gapDegrees), mix(from.slabLift, to.slabLift),
            mix(from.outline, to.outline), mix(from.opacity, to.opacity)};
}

void paint(QPainter& painter, const QRectF& bounds, const Shape& shape, double rotationDegrees,
           const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(painter.opacity() * shape.opacity);
    // A 16-unit design grid: the ring's stroke is two units, centred on whole units so 16 px is crisp.
    const double unit = bounds.width() / 16.0;
    painter.translate(bounds.center());
    painter.scale(unit, unit);

    const double stroke = 2.0 - shape.outline * 0.8;
    QPen ringPen(colour, stroke, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(ringPen);
    painter.setBrush(Qt::NoBrush);
    painter.save();
    painter.rotate(rotationDegrees);
    const QRectF ring(-6, -6, 12, 12);
    // The gap opens at the top, where the slab rises through it; Qt's angles run counter-clockwise from
    // three o'clock, in sixteenths of a degree.
    const double gap = std::clamp(shape.gapDegrees, 0.0, 359.0);
    if (gap < 0.5) {
        painter.drawEllipse(ring);
    } else {
        const double start = 90 + gap / 2;
        painter.drawArc(ring, int(std::lround(start * 16)), int(std::lround((360 - gap) * 16)));
    }
    painter.restore();

    // The slab: a rounded bar resting across the ring's middle, risen through the gap when lifted.
    const QRectF slab(-3.5, -1.25 - shape.slabLift * 4.5, 7, 2.5);
    if (shape.outline > 0.5) {
        painter.setPen(QPen(colour, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(slab.adjusted(0.5, 0.5, -0.5, -0.5), 0.8, 0.8);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(slab, 1.0, 1.0);
    }
    painter.restore();
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
