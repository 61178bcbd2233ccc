#pragma once

#include <memory>
#include <QObject>
#include <QSocketNotifier>

namespace keldoran {

/// Turns SIGTERM and SIGINT (a session logout, a Ctrl-C) into a signal on the event loop, so the
/// application quits through its own quit sequence instead of dying with restic still running. Every
/// live instance is told.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    QuitSignals();
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    int writeEnd_ = -1;
    int readEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace keldoran
