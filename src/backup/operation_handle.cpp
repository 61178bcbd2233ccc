#include "operation_handle.h"

#include <qcoro/qcorosignal.h>

namespace keldoran {

QCoro::Task<void> OperationHandle::wait(std::shared_ptr<OperationHandle> handle) {
    // The handle is held by this frame, so the queued resumption always has a receiver.
    if (!handle->finished_) {
        co_await qCoro(handle.get(), &OperationHandle::finished);
    }
}

void OperationHandle::markFinished() {
    if (!finished_) {
        finished_ = true;
        emit finished();
    }
}

} // namespace keldoran
