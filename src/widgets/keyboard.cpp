#include "keyboard.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace keldoran {

void closeOnEscapeAndCtrlW(QWidget* window) {
    // The platform's Close is Ctrl+F4 on some desktops; Ctrl+W is meant everywhere.
    for (const auto& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, &QWidget::close);
    }
}

} // namespace keldoran
