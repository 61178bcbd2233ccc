#include "operation_queue.h"

#include "base/raw_values.h"
#include "logging/log.h"

namespace keldoran {

namespace {

constexpr RawValues operations{std::array{std::pair{RepositoryOperation::backup, "backup"},
                                          std::pair{RepositoryOperation::restore, "restore"},
                                          std::pair{RepositoryOperation::check, "check"}}};

} // namespace

QString rawValue(RepositoryOperation operation) {
    return operations.text(operation);
}

std::shared_ptr<OperationHandle> OperationQueue::enqueue(RepositoryOperation operation, Body body) {
    auto previous = tail_;
    setQueuedCount(queuedCount_ + 1);
    auto handle = std::make_shared<OperationHandle>();
    std::erase_if(queued_, [](const auto& weak) { return weak.expired(); });
    queued_.push_back(handle);
    // Waiting on a handle never fails, so a cancelled operation never stops the ones behind it.
    tail_ = handle;
    run(this, operation, std::move(body), std::move(previous), handle);
    return handle;
}

bool OperationQueue::cancelCurrent() {
    if (!current_) {
        return false;
    }
    current_->cancel();
    return true;
}

void OperationQueue::cancelAll() {
    for (const auto& weak : queued_) {
        if (const auto handle = weak.lock(); handle && !handle->isFinished()) {
            handle->cancel();
        }
    }
}

QCoro::Task<void> OperationQueue::whenIdle() {
    while (!isIdle()) {
        const auto tail = tail_;
        co_await OperationHandle::wait(tail);
    }
}

QCoro::Task<void> OperationQueue::run(OperationQueue* queue, RepositoryOperation operation, Body body,
                                      std::shared_ptr<OperationHandle> previous,
                                      std::shared_ptr<OperationHandle> handle) {
    if (previous) {
        co_await OperationHandle::wait(previous);
    }
    queue->setQueuedCount(queue->queuedCount_ - 1);
    queue->current_ = handle;
    queue->setCurrentOperation(operation);
    auto started = rawValue(operation) + QStringLiteral(" started");
    if (queue->queuedCount_ >= 1) {
        started += QStringLiteral(" (%1 queued behind it)").arg(queue->queuedCount_);
    }
    Log::queue().info(started);
    try {
        co_await body(handle->stopToken());
    } catch (const std::exception& error) {
        Log::queue().error(rawValue(operation) + QStringLiteral(" ended unexpectedly: ") +
                           QString::fromUtf8(error.what()));
    } catch (...) {
        Log::queue().error(rawValue(operation) + QStringLiteral(" ended unexpectedly"));
    }
    queue->current_ = nullptr;
    queue->setCurrentOperation(std::nullopt);
    Log::queue().info(rawValue(operation) + QStringLiteral(" finished"));
    handle->markFinished();
}

void OperationQueue::setCurrentOperation(std::optional<RepositoryOperation> operation) {
    if (currentOperation_ != operation) {
        currentOperation_ = operation;
        emit currentOperationChanged();
    }
}

void OperationQueue::setQueuedCount(int count) {
    if (queuedCount_ != count) {
        queuedCount_ = count;
        emit queuedCountChanged();
    }
}

} // namespace keldoran
