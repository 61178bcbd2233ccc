#pragma once

#include "model/app_status.h"

#include <QColor>
#include <QIcon>
#include <QRectF>

class QPainter;

/// Keldoran's mark: a ring with a gap and a slab inside it. Each visual state is a shape; changes
/// between states interpolate the shape, so the mark can animate from one to the next.
namespace KeldoranMark {

enum class State { closed, broken, outlined, dimmed, lifted };

struct Shape {
    /// The ring's opening, in degrees (0: a closed ring).
    double gapDegrees = 0;
    /// How far the slab has risen, 0 (resting in the ring) to 1 (above its top).
    double slabLift = 0;
    /// 0: solid ring and slab; 1: drawn as outlines.
    double outline = 0;
    double opacity = 1;
    bool operator==(const Shape&) const = default;
};

/// protected → closed; backing up → broken (spinning); something to look at → lifted;
/// not set up → outlined; paused or offline → dimmed.
State stateFor(const AppStatus& status);
Shape shapeOf(State state);
/// The shape `progress` (0 to 1) of the way from `from` to `to`.
Shape interpolate(const Shape& from, const Shape& to, double progress);

/// Paints the mark into `bounds` (a square), the ring turned by `rotationDegrees`.
void paint(QPainter& painter, const QRectF& bounds, const Shape& shape, double rotationDegrees,
           const QColor& colour);
/// The mark as an icon with pixel-exact renderings from 16 px up, for the tray and the window.
QIcon icon(const Shape& shape, double rotationDegrees, const QColor& colour);

} // namespace KeldoranMark
