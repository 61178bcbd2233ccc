#pragma once

class QWidget;

/// Esc and Ctrl+W close `window`, as the desktop's other windows do.
void closeOnEscapeAndCtrlW(QWidget* window);
