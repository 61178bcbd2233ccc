#include "snapshot_indexer.h"

#include "index_database.h"
#include "index_writer.h"
#include "logging/log.h"
#include "restic/operation_cancelled.h"

#include <qcoro/qcorofuture.h>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>
#include <QTimer>

namespace keldoran {

SnapshotIndexer::SnapshotIndexer(QString folder, QObject* parent)
    : QObject(parent)
    , index_(std::move(folder)) {
    // One thread, kept: each batch opens its own connection there.
    writer_.setMaxThreadCount(1);
    writer_.setExpiryTimeout(-1);
}

SnapshotIndexer::~SnapshotIndexer() {
    stop_.request_stop();
    writer_.waitForDone();
}

void SnapshotIndexer::request(const Restic& restic, const Request& request) {
    const auto& id = request.snapshotId;
    const bool queued = std::any_of(queue_.begin(), queue_.end(),
                                    [&](const Job& job) { return job.request.snapshotId == id; });
    if (closed_ || queued || (current_ && current_->snapshotId == id) || index_.isIndexed(id)) {
        return;
    }
    queue_.push_back({restic, request});
    emit progressChanged(id);
    if (!running_) {
        runQueue();
    }
}

std::optional<double> SnapshotIndexer::progress(const QString& snapshotId) const {
    if (current_ && current_->snapshotId == snapshotId) {
        return progress_;
    }
    const bool queued = std::any_of(queue_.begin(), queue_.end(),
                                    [&](const Job& job) { return job.request.snapshotId == snapshotId; });
    return queued ? std::optional(0.0) : std::nullopt;
}

void SnapshotIndexer::close() {
    closed_ = true;
    cancel();
}

void SnapshotIndexer::cancel() {
    std::deque<Job> dropped;
    dropped.swap(queue_);
    stop_.request_stop();
    for (const auto& job : dropped) {
        emit progressChanged(job.request.snapshotId);
    }
}

namespace {
struct IdleWait {
    std::vector<std::coroutine_handle<>>& waiters;
    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> waiter) { waiters.push_back(waiter); }
    void await_resume() const noexcept {}
};
} // namespace

// Not an await on a signal: QCoro's signal awaiter posts one resumption per emission, and a second one,
// queued before the first ran, resumed a frame that had since finished.
QCoro::Task<void> SnapshotIndexer::whenIdle() {
    const QPointer<SnapshotIndexer> self(this);
    while (self && running_) {
        IdleWait wait{idleWaiters_}; // named: g++ 12 mishandles temporaries inside co_await
        co_await wait;
    }
}

void SnapshotIndexer::wakeIdleWaiters() {
    // Each waiter is taken once and resumed on a later turn, never inside the run that just ended; an
    // indexer destroyed meanwhile drops the resumption.
    auto waiters = std::exchange(idleWaiters_, {});
    if (!waiters.empty()) {
        QTimer::singleShot(0, this, [waiters] {
            for (const auto waiter : waiters) {
                waiter.resume();
            }
        });
    }
}

QCoro::Task<void> SnapshotIndexer::keepOnly(QSet<QString> existing) {
    const QPointer<SnapshotIndexer> self(this);
    co_await whenIdle();
    if (!self) {
        co_return;
    }
    if (auto failure = index_.keepOnly(existing)) {
        Log::lifecycle().error(QStringLiteral("snapshot index: forgotten snapshots not dropped: ") +
                               *failure);
    }
}

QCoro::Task<void> SnapshotIndexer::runQueue() {
    // A build resumes from posted events, which may arrive after this indexer was destroyed (its
    // owner torn down mid-build): every resumption checks that it is still here.
    const QPointer<SnapshotIndexer> self(this);
    running_ = true;
    while (!queue_.empty()) {
        auto job = std::move(queue_.front());
        queue_.pop_front();
        const auto id = job.request.snapshotId;
        current_ = job.request;
        progress_ = 0;
        stop_ = std::stop_source();
        const auto failure = co_await build(std::move(job), stop_.get_token());
        if (!self) {
            co_return;
        }
        current_.reset();
        if (failure) {
            Log::lifecycle().info(
                QStringLiteral("snapshot index: %1 not finished: %2").arg(id.left(8), *failure));
        } else {
            Log::lifecycle().info(QStringLiteral("snapshot index: %1 indexed").arg(id.left(8)));
            emit snapshotIndexed(id);
        }
        emit progressChanged(id);
    }
    running_ = false;
    wakeIdleWaiters();
}

QCoro::Task<std::optional<QString>> SnapshotIndexer::build(Job job, std::stop_token stop) {
    const QPointer<SnapshotIndexer> self(this);
    const auto gone = QStringLiteral("stopped");
    if (auto failure = index_.open()) {
        co_return failure;
    }
    // Every work item and future is a named local: g++ 12 mishandles temporaries in co_await expressions.
    const auto expected = job.request.expectedFiles.value_or(0);
    const auto writer = std::make_shared<IndexWriter>(job.request.snapshotId, job.request.time);
    const Work begin = [writer](IndexDatabase& database) {
        return writer->begin(database);
    };
    auto begun = onWorker(begin);
    std::optional<QString> failure = co_await begun;
    if (!self) {
        co_return gone;
    }
    if (failure) {
        co_return failure;
    }
    std::optional<QFuture<std::optional<QString>>> writing;
    QList<LsEntry> batch;
    qint64 files = 0;
    try {
        auto entries = job.restic.listSnapshot(job.request.snapshotId, stop);
        QCORO_FOREACH(const LsEntry& entry, entries) {
            if (!self) {
                co_return gone;
            }
            if (entry.type == QLatin1String("file")) {
                ++files;
            }
            batch.append(entry);
            if (batch.size() < batchSize) {
                continue;
            }
            // One batch is written while the next one is read.
            if (writing) {
                auto written = *writing;
                writing.reset();
                failure = co_await written;
                if (!self) {
                    co_return gone;
                }
                if (failure) {
                    break;
                }
            }
            const Work append = [writer, batch](IndexDatabase& database) {
                return writer->append(database, batch);
            };
            batch.clear();
            writing = onWorker(append);
            if (expected > 0) {
                setProgress(std::min(0.99, double(files) / double(expected)));
            }
        }
    } catch (const OperationCancelled&) {
        failure = QStringLiteral("cancelled");
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    // The writer is never left running on its thread.
    if (writing) {
        auto written = *writing;
        writing.reset();
        std::optional<QString> last = co_await written;
        if (!self) {
            co_return gone;
        }
        if (!failure) {
            failure = last;
        }
    }
    if (failure) {
        co_return failure;
    }
    const Work finish = [writer, batch](IndexDatabase& database) -> std::optional<QString> {
        if (auto failure = writer->append(database, batch)) {
            return failure;
        }
        return writer->finish(database);
    };
    auto finished = onWorker(finish);
    std::optional<QString> outcome = co_await finished;
    co_return outcome;
}

QFuture<std::optional<QString>> SnapshotIndexer::onWorker(const Work& work) {
    return QtConcurrent::run(&writer_, [file = index_.file(), work] {
        IndexDatabase database(file);
        if (auto failure = database.open(IndexDatabase::Trust::alreadyVerified)) {
            return failure;
        }
        return work(database);
    });
}

void SnapshotIndexer::setProgress(double progress) {
    if (current_ && progress != progress_) {
        progress_ = progress;
        emit progressChanged(current_->snapshotId);
    }
}

} // namespace keldoran
