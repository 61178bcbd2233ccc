#pragma once

#include "model/app_status.h"

#include <optional>
#include <QColor>
#include <QIcon>
#include <QRectF>

class QPainter;

namespace keldoran {

/// Keldoran's mark: a ring with a gap at its upper right and a slab that sits in the gap like a
/// keystone. Nothing crosses the ring's middle, so it never reads as a prohibition sign. Each visual state
/// is a shape; changes between states interpolate the shape, so the mark can animate from one to the next.
namespace KeldoranMark {

enum class State { closed, broken, outlined, dimmed, lifted };

struct Shape {
    /// The ring's opening, in degrees.
    double gapDegrees = 0;
    /// How far the slab has risen out of the gap, 0 (seated in it) to 1 (clear of the ring).
    double slabLift = 0;
    /// 0: solid ring and slab; 1: drawn as outlines.
    double outline = 0;
    double opacity = 1;
    /// The slab's size, 0 (gone) to 1.
    double slabSize = 1;
    bool operator==(const Shape&) const = default;
};

/// protected → closed (the slab seated in the gap); backing up → broken (a wide open, spinning ring
/// without the slab); something to look at → lifted (the slab out of a wider gap); not set up → outlined
/// (thin and hollow, the slab out of the gap); paused or offline → dimmed.
State stateFor(const AppStatus& status);
Shape shapeOf(State state);
/// The shape `progress` (0 to 1) of the way from `from` to `to`.
Shape interpolate(const Shape& from, const Shape& to, double progress);

/// Paints the mark into `bounds` (a square), the ring turned by `rotationDegrees`.
void paint(QPainter& painter, const QRectF& bounds, const Shape& shape, double rotationDegrees,
           const QColor& colour);
/// The mark as an icon with pixel-exact renderings from 16 px up, for the tray and the window.
QIcon icon(const Shape& shape, double rotationDegrees, const QColor& colour);
/// The mark's colour on the tray panel: dark on a light panel, light on a dark one, a mid grey where the
/// desktop does not say.
QColor panelColour(std::optional<bool> darkPanel);

} // namespace KeldoranMark

} // namespace keldoran
