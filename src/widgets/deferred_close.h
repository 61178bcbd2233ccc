#pragma once

#include <functional>
#include <QCloseEvent>
#include <QWidget>

namespace keldoran {

/// A window closed while work it started is still running must outlive that work, which resumes into
/// its objects: hide it now and delete it once `changed` fires with nothing left running (unless it has
/// been shown again meanwhile). Answers whether the close was deferred.
template <typename Emitter, typename Signal>
bool deferCloseWhileBusy(QWidget* window, QCloseEvent* event, std::function<bool()> busy, Emitter* emitter,
                         Signal changed) {
    if (!busy()) {
        return false;
    }
    event->ignore();
    window->hide();
    QObject::connect(emitter, changed, window, [window, busy] {
        if (!busy() && !window->isVisible()) {
            window->deleteLater();
        }
    });
    return true;
}

} // namespace keldoran
