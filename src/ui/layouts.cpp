#include "layouts.h"

#include <QLayout>
#include <QWidget>

void clearLayout(QLayout* layout) {
    while (auto* item = layout->takeAt(0)) {
        if (auto* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        } else if (auto* inner = item->layout()) {
            clearLayout(inner);
        }
        delete item;
    }
}
