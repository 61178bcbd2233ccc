#pragma once

#include "restic/restic.h"
#include "snapshot_index.h"

#include <coroutine>
#include <deque>
#include <functional>
#include <optional>
#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <stop_token>
#include <vector>

namespace keldoran {

class IndexDatabase;

/// Fills the snapshot index in the background: one streamed `restic ls` per snapshot, written on a
/// worker thread in batches, one snapshot at a time. A snapshot is listed once; an interrupted one
/// resumes where its stored folders leave off. Main thread only; whoever owns it awaits whenIdle()
/// after cancel() before destroying it.
class SnapshotIndexer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString snapshotId;
        QDateTime time;
        /// The snapshot's file count, when restic recorded it: the measure of progress.
        std::optional<qint64> expectedFiles;
    };

    explicit SnapshotIndexer(QString folder, QObject* parent = nullptr);
    ~SnapshotIndexer() override;

    /// The index as read on this thread.
    SnapshotIndex& index() { return index_; }

    /// Queues a snapshot for indexing with `restic`; one indexed or queued already is left alone.
    void request(const Restic& restic, const Request& request);
    /// How far the snapshot's indexing has come (0 to 1) while it is queued or running.
    std::optional<double> progress(const QString& snapshotId) const;
    /// Stops the running indexing, keeping what it stored, and empties the queue.
    void cancel();
    /// Cancels, and takes no request from now on: for a quit, which waits for it once.
    void close();
    bool isBusy() const { return running_; }
    /// Resumes once nothing is being indexed.
    QCoro::Task<void> whenIdle();
    /// Drops the snapshots the repository no longer holds; waits while a snapshot is being written.
    QCoro::Task<void> keepOnly(QSet<QString> existing);

    /// Entries handed to the writer at a time: bounds the memory a listing takes on its way.
    static constexpr qsizetype batchSize = 2000;

signals:
    void progressChanged(const QString& snapshotId);
    void snapshotIndexed(const QString& snapshotId);

private:
    struct Job {
        Restic restic;
        Request request;
    };
    using Work = std::function<std::optional<QString>(IndexDatabase&)>;

    QCoro::Task<void> runQueue();
    QCoro::Task<std::optional<QString>> build(Job job, std::stop_token stop);
    /// Runs `work` on the writing thread with its own connection to the index.
    QFuture<std::optional<QString>> onWorker(const Work& work);
    void setProgress(double progress);
    void wakeIdleWaiters();

    SnapshotIndex index_;
    QThreadPool writer_;
    std::deque<Job> queue_;
    std::optional<Request> current_;
    double progress_ = 0;
    std::stop_source stop_;
    bool running_ = false;
    bool closed_ = false;
    std::vector<std::coroutine_handle<>> idleWaiters_;
};

} // namespace keldoran
