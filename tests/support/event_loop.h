#pragma once

#include <functional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace keldoran {

/// Runs the event loop until `done` holds or `timeoutMs` passes; answers whether `done` held.
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

} // namespace keldoran
