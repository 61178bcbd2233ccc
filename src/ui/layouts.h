#pragma once

class QLayout;

/// Removes and deletes every item of `layout`. A widget may be the sender of the signal being handled,
/// so widgets are hidden now and deleted on the next turn of the event loop.
void clearLayout(QLayout* layout);
