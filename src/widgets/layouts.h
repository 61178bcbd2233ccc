#pragma once

#include <functional>
#include <QStringList>

class QLayout;
class QHBoxLayout;
class QString;

namespace keldoran {

/// Removes and deletes every item of `layout`. A widget may be the sender of the signal being handled,
/// so widgets are hidden now and deleted on the next turn of the event loop.
void clearLayout(QLayout* layout);

/// The height `layout` needs at `width`: wrapped lines taken into account when it has any.
int layoutHeightForWidth(QLayout* layout, int width);

/// Fills `row` with the crumbs ("Home › Documents › 2024") as flat buttons; `choose` gets the index of
/// the one clicked.
void fillBreadcrumb(QHBoxLayout* row, const QStringList& crumbs, const std::function<void(int)>& choose);

} // namespace keldoran
