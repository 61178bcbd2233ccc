#pragma once

class QWidget;

namespace keldoran {

/// Esc and Ctrl+W close `window`, as the desktop's other windows do.
void closeOnEscapeAndCtrlW(QWidget* window);

} // namespace keldoran
