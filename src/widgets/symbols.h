#pragma once

#include <QIcon>
#include <QString>

namespace keldoran {

/// The design's symbol names (`pause.fill`, `checkmark.circle.fill`, …) as icons: the desktop theme's
/// icon where the theme has one, otherwise the small SVG shipped with Keldoran, tinted with the text
/// colour unless it carries colours of its own.
namespace Symbols {

struct Entry {
    const char* symbol;
    /// A freedesktop icon-theme name, or empty where no standard name fits.
    const char* themeName;
    /// Drawn in the text colour (monochrome); false keeps the SVG's own colours.
    bool tinted;
};

/// Every symbol the interface uses.
const QList<Entry>& table();
/// The icon for `symbol`; an unknown name is a programming error and gives a null icon.
QIcon icon(const QString& symbol);
/// The shipped SVG alone, ignoring the theme (screens render the same on a bare system).
QIcon shippedIcon(const QString& symbol);

} // namespace Symbols

} // namespace keldoran
