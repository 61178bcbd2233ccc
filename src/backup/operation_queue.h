#pragma once

#include "operation_handle.h"
#include "repository_operation.h"

#include <functional>
#include <memory>
#include <optional>
#include <QObject>
#include <vector>

namespace keldoran {

/// The one chain repository operations run on: each starts once every earlier one has finished, so at
/// most one runs at a time. Main thread only.
class OperationQueue : public QObject {
    Q_OBJECT
public:
    /// The body of an operation, given the token that cancels it.
    using Body = std::function<QCoro::Task<void>(std::stop_token)>;

    /// Appends a body to the chain; it runs once every earlier operation has finished.
    std::shared_ptr<OperationHandle> enqueue(RepositoryOperation operation, Body body);
    /// Cancels the operation running now, if any; false when none runs.
    bool cancelCurrent();
    /// Cancels the running operation and every queued one. Queued ones end without running their body's
    /// restic; each still finishes.
    void cancelAll();
    /// Resumes once every operation has finished, including those queued while waiting.
    QCoro::Task<void> whenIdle();
    bool isIdle() const { return !tail_ || tail_->isFinished(); }

    std::optional<RepositoryOperation> currentOperation() const { return currentOperation_; }
    /// Operations waiting behind the running one.
    int queuedCount() const { return queuedCount_; }

signals:
    void currentOperationChanged();
    void queuedCountChanged();

private:
    static QCoro::Task<void> run(OperationQueue* queue, RepositoryOperation operation, Body body,
                                 std::shared_ptr<OperationHandle> previous,
                                 std::shared_ptr<OperationHandle> handle);
    void setCurrentOperation(std::optional<RepositoryOperation> operation);
    void setQueuedCount(int count);

    std::optional<RepositoryOperation> currentOperation_;
    int queuedCount_ = 0;
    std::shared_ptr<OperationHandle> tail_;
    std::shared_ptr<OperationHandle> current_;
    std::vector<std::weak_ptr<OperationHandle>> queued_;
};

} // namespace keldoran
