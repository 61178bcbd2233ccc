#pragma once

#include "line_splitter.h"
#include "process_exit_signal.h"

#include <QObject>
#include <QProcess>
#include <coroutine>
#include <deque>
#include <memory>
#include <optional>

/// One restic child process and everything it prints. Both pipes are read as data arrives, so a chatty
/// child never blocks on a full pipe; nothing is capped or dropped. Lives on the thread that created it.
class ChildProcess : public QObject {
    Q_OBJECT
public:
    enum class Output { whole, lines };

    struct Launch {
        QString program;
        QStringList arguments;
        QProcessEnvironment environment;
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
    QByteArray takeOutput() { return std::exchange(output_, QByteArray()); }
    /// Standard error decoded as UTF-8; every invalid sequence becomes U+FFFD.
    QString stderrText() const { return QString::fromUtf8(stderr_); }

    /// Suspends the caller until more output has arrived or the process has ended. It resumes on a later
    /// turn of the event loop, never from inside a QProcess signal.
    class ChangeAwaiter {
    public:
        explicit ChangeAwaiter(ChildProcess& child) : child_(child) {}
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter) { child_.waiter_ = waiter; }
        void await_resume() const noexcept {}

    private:
        ChildProcess& child_;
    };
    ChangeAwaiter changed() { return ChangeAwaiter(*this); }

private:
    ChildProcess(Launch launch, Output output);

    void readStandardOutput();
    void readStandardError();
    void processFinished();
    void markDone();
    void notifyWaiter();

    QProcess process_;
    Output outputMode_;
    std::shared_ptr<ProcessExitSignal> exitSignal_ = std::make_shared<ProcessExitSignal>();
    LineSplitter splitter_;
    std::deque<QByteArray> lines_;
    QByteArray output_;
    QByteArray stderr_;
    std::optional<QString> launchError_;
    std::coroutine_handle<> waiter_;
    bool done_ = false;
    bool interrupted_ = false;
    bool released_ = false;
    bool resumePosted_ = false;
};
