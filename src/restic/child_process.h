#pragma once

#include "line_splitter.h"
#include "paced_pipe.h"
#include "process_exit_signal.h"

#include <coroutine>
#include <deque>
#include <memory>
#include <optional>
#include <QObject>
#include <QProcess>

namespace keldoran {

/// One restic child process and what it prints. Both pipes are read as data arrives, so a chatty child
/// never blocks on a full pipe, and what is kept is bounded: a whole output up to 16 MiB (beyond it the
/// child is interrupted), lines up to 1 MiB each and 8 MiB of lines not yet taken (beyond it, and one
/// read more, the child waits for its reader), and of standard error its JSON records (up to 4 MiB, the exit
/// record always) and its last 64 KiB. Lives on the thread that created it.
class ChildProcess : public QObject {
    Q_OBJECT
public:
    enum class Output { whole, lines };

    static constexpr qsizetype maximumOutputBytes = 16 * 1024 * 1024;
    static constexpr qsizetype maximumLineBytes = 1024 * 1024;
    static constexpr qsizetype maximumQueuedLineBytes = 8 * 1024 * 1024;
    static constexpr qsizetype maximumErrorRecordBytes = 4 * 1024 * 1024;
    static constexpr qsizetype errorTailBytes = 64 * 1024;

    struct Launch {
        QString program;
        QStringList arguments;
        QProcessEnvironment environment;
        /// In the idle I/O class: the disk serves it only when nothing else wants it.
        bool idleIo = false;
    };

    /// Ends the ownership of a child: a running process is interrupted, never killed, and the object is
    /// freed once the process has exited.
    struct Release {
        void operator()(ChildProcess* child) const;
    };
    using Owner = std::unique_ptr<ChildProcess, Release>;

    static Owner start(Launch launch, Output output);

    /// Sends SIGINT to the process's group once; later calls do nothing.
    void interrupt();

    /// True once the process has exited or failed to launch, and all its output has been read.
    bool isDone() const { return done_; }
    const std::optional<QString>& launchError() const { return launchError_; }
    ProcessExitSignal& exitSignal() { return *exitSignal_; }

    bool hasLine() const { return !lines_.empty(); }
    QByteArray takeLine();
    /// The bytes of the lines received and not taken yet.
    qsizetype queuedLineBytes() const { return queuedLineBytes_; }
    /// Whether standard output is left unread until the lines queued are taken.
    bool isOutputHeld() const { return outputPipe_.isHeld(); }
    QByteArray takeOutput() { return std::exchange(output_, QByteArray()); }
    /// True when the whole output outgrew its limit and the child was interrupted for it.
    bool outputOverflowed() const { return outputOverflowed_; }
    /// What was kept of standard error (its JSON records, then its last lines) decoded as UTF-8; every
    /// invalid sequence becomes U+FFFD.
    QString stderrText() const;

    /// Suspends the caller until more output has arrived or the process has ended. It resumes on a later
    /// turn of the event loop, never from inside a QProcess signal.
    class ChangeAwaiter {
    public:
        explicit ChangeAwaiter(ChildProcess& child)
            : child_(child) {}
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter) { child_.waiter_ = waiter; }
        void await_resume() const noexcept {}

    private:
        ChildProcess& child_;
    };
    ChangeAwaiter changed() { return ChangeAwaiter(*this); }

private:
    ChildProcess(Launch launch, Output output);

    void deliverInterrupt();
    void failToLaunch(const QString& reason);
    void receiveOutput(const QByteArray& chunk);
    void readStandardError();
    void keepErrorLine(QByteArray line);
    void processFinished();
    void markDone();
    void notifyWaiter();

    // Declared before the process: the child is given its write end when the process starts.
    PacedPipe outputPipe_{std::chrono::milliseconds(5)};
    QProcess process_;
    Output outputMode_;
    std::shared_ptr<ProcessExitSignal> exitSignal_ = std::make_shared<ProcessExitSignal>();
    LineSplitter splitter_{maximumLineBytes};
    std::deque<QByteArray> lines_;
    qsizetype queuedLineBytes_ = 0;
    QByteArray output_;
    LineSplitter errorSplitter_{errorTailBytes - 1};
    std::deque<QByteArray> errorLines_;
    QByteArray errorRecords_;
    std::deque<QByteArray> errorTail_;
    qsizetype errorTailSize_ = 0;
    bool outputOverflowed_ = false;
    std::optional<QString> launchError_;
    std::coroutine_handle<> waiter_;
    bool done_ = false;
    bool interrupted_ = false;
    bool released_ = false;
    bool resumePosted_ = false;
};

} // namespace keldoran
