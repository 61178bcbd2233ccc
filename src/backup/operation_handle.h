#pragma once

#include <memory>
#include <qcoro/qcorotask.h>
#include <QObject>
#include <stop_token>

namespace keldoran {

/// A repository operation that any number of parties may wait for and one may cancel. Waiting never
/// fails, and a cancelled operation still finishes: its body winds down (restic ends by itself).
class OperationHandle : public QObject {
    Q_OBJECT
public:
    bool isFinished() const { return finished_; }
    /// Asks the operation to stop: its restic gets one SIGINT.
    void cancel() { stop_.request_stop(); }
    bool isCancelled() const { return stop_.stop_requested(); }
    std::stop_token stopToken() const { return stop_.get_token(); }

    /// Resumes once the operation has finished (at once when it has).
    static QCoro::Task<void> wait(std::shared_ptr<OperationHandle> handle);

    void markFinished();

signals:
    void finished();

private:
    std::stop_source stop_;
    bool finished_ = false;
};

} // namespace keldoran
