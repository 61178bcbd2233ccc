#include "layouts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QToolButton>
#include <QWidget>

namespace keldoran {

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

int layoutHeightForWidth(QLayout* layout, int width) {
    layout->invalidate();
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width)
                                       : layout->totalSizeHint().height();
}

void fillBreadcrumb(QHBoxLayout* row, const QStringList& crumbs, const std::function<void(int)>& choose) {
    clearLayout(row);
    for (int i = 0; i < crumbs.size(); ++i) {
        if (i > 0) {
            row->addWidget(new QLabel(QStringLiteral("›")));
        }
        auto* crumb = new QToolButton;
        crumb->setObjectName(QStringLiteral("crumb"));
        crumb->setText(crumbs[i]);
        crumb->setAutoRaise(true);
        QObject::connect(crumb, &QToolButton::clicked, crumb, [choose, i] { choose(i); });
        row->addWidget(crumb);
    }
    row->addStretch(1);
}

} // namespace keldoran
