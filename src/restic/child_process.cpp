#include "child_process.h"

#include <csignal>
#include <QTimer>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace keldoran {

ChildProcess::ChildProcess(Launch launch, Output output)
    : outputMode_(output) {
    process_.setProgram(launch.program);
    process_.setArguments(launch.arguments);
    process_.setProcessEnvironment(launch.environment);
    // With an open stdin pipe restic waits for a password forever and ignores SIGINT.
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    // Standard output goes to a pipe of our own, read in paced chunks; QProcess keeps standard error.
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setChildProcessModifier([idleIo = launch.idleIo, output = outputPipe_.writeEnd()] {
        if (::dup2(output, STDOUT_FILENO) < 0) {
            ::_exit(127); // seen as a failed run, never as an empty output
        }
        // Async-signal-safe calls only. A child inherits ignored signals (a parent started with `&` ignores
        // SIGINT), so restore the defaults. Its own process group keeps a terminal's Ctrl-C from reaching
        // restic directly: it gets exactly the one SIGINT we send.
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::setpgid(0, 0);
        // Backups run beside the user's work: restic yields the processor to the desktop, and to
        // Keldoran's own window, whenever both want it. Alone on the machine it runs at full speed.
        ::setpriority(PRIO_PROCESS, 0, 10);
        if (idleIo) {
            // ioprio_set(IOPRIO_WHO_PROCESS, self, IOPRIO_CLASS_IDLE); glibc has no wrapper.
            constexpr int whoProcess = 1;
            constexpr int classIdle = 3;
            constexpr int classShift = 13;
            ::syscall(SYS_ioprio_set, whoProcess, 0, classIdle << classShift);
        }
    });

    connect(&outputPipe_, &PacedPipe::received, this, &ChildProcess::receiveOutput);
    connect(&process_, &QProcess::readyReadStandardError, this, &ChildProcess::readStandardError);
    std::weak_ptr<ProcessExitSignal> weakSignal = exitSignal_;
    connect(&process_, &QProcess::finished, this,
            [this, weakSignal](int exitCode, QProcess::ExitStatus status) {
                processFinished();
                // After a crash QProcess gives the signal's number as the exit code.
                const auto end = status == QProcess::CrashExit ? ProcessEnd{128 + exitCode, exitCode}
                                                               : ProcessEnd{exitCode, {}};
                if (auto signal = weakSignal.lock()) {
                    signal->exited(end);
                }
            });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !done_) {
            failToLaunch(process_.errorString());
        }
    });
}

void ChildProcess::failToLaunch(const QString& reason) {
    outputPipe_.finish();
    launchError_ = reason;
    markDone();
    const auto signal = exitSignal_; // resuming its waiters may release us
    signal->exited(ProcessEnd{-1, {}});
}

ChildProcess::Owner ChildProcess::start(Launch launch, Output output) {
    Owner child(new ChildProcess(std::move(launch), output));
    if (!child->outputPipe_.isOpen()) {
        child->failToLaunch(child->outputPipe_.openError());
        return child;
    }
    child->process_.start();
    child->outputPipe_.closeWriteEnd();
    return child;
}

void ChildProcess::Release::operator()(ChildProcess* child) const {
    child->released_ = true;
    child->waiter_ = {};
    if (child->done_) {
        child->deleteLater();
        return;
    }
    child->interrupt();
    // processFinished() frees it once restic has ended by itself.
}

void ChildProcess::interrupt() {
    if (interrupted_ || done_) {
        return;
    }
    interrupted_ = true;
    // A child waiting on a full pipe must be able to write its way to its exit.
    outputPipe_.hold(false);
    deliverInterrupt();
}

void ChildProcess::deliverInterrupt() {
    if (done_) {
        return;
    }
    const auto pid = static_cast<pid_t>(process_.processId());
    // The child makes its group only after restoring its signal handlers: a signal sent before could land
    // in a handler inherited from us and be lost, leaving restic running. So the one SIGINT waits for it,
    // briefly here (the event loop may be ending), then on later turns.
    for (int waited = 0; pid > 0 && ::getpgid(pid) != pid && waited < 200; ++waited) {
        ::usleep(1000);
    }
    if (pid <= 0 || ::getpgid(pid) != pid) {
        QTimer::singleShot(5, this, &ChildProcess::deliverInterrupt);
        return;
    }
    ::kill(-pid, SIGINT);
}

QByteArray ChildProcess::takeLine() {
    auto line = std::move(lines_.front());
    lines_.pop_front();
    queuedLineBytes_ -= line.size() + 1;
    if (outputPipe_.isHeld() && queuedLineBytes_ <= maximumQueuedLineBytes / 2) {
        outputPipe_.hold(false);
    }
    return line;
}

void ChildProcess::receiveOutput(const QByteArray& chunk) {
    if (outputMode_ == Output::lines) {
        // Released, nobody will take them: restic is only let write its way to its exit.
        if (released_) {
            return;
        }
        const auto before = lines_.size();
        splitter_.feed(chunk, lines_);
        // An empty line still costs its place in the queue.
        for (auto line = lines_.begin() + qsizetype(before); line != lines_.end(); ++line) {
            queuedLineBytes_ += line->size() + 1;
        }
        if (queuedLineBytes_ > maximumQueuedLineBytes && !interrupted_) {
            outputPipe_.hold(true);
        }
    } else if (output_.size() + chunk.size() <= maximumOutputBytes) {
        output_.append(chunk);
    } else if (!outputOverflowed_) {
        outputOverflowed_ = true;
        output_.clear();
        interrupt();
    }
    notifyWaiter();
}

void ChildProcess::readStandardError() {
    errorSplitter_.feed(process_.readAllStandardError(), errorLines_);
    while (!errorLines_.empty()) {
        keepErrorLine(std::move(errorLines_.front()));
        errorLines_.pop_front();
    }
}

void ChildProcess::keepErrorLine(QByteArray line) {
    if (line.startsWith('{')) {
        // The exit record says why restic failed: it is kept whatever came before it.
        if (errorRecords_.size() + line.size() < maximumErrorRecordBytes || line.contains("\"exit_error\"")) {
            errorRecords_.append(line).append('\n');
        }
        return;
    }
    errorTailSize_ += line.size() + 1;
    errorTail_.push_back(std::move(line));
    while (errorTailSize_ > errorTailBytes) {
        errorTailSize_ -= errorTail_.front().size() + 1;
        errorTail_.pop_front();
    }
}

QString ChildProcess::stderrText() const {
    auto text = errorRecords_;
    for (const auto& line : errorTail_) {
        text.append(line).append('\n');
    }
    return QString::fromUtf8(text);
}

void ChildProcess::processFinished() {
    outputPipe_.finish();
    readStandardError();
    if (auto tail = splitter_.finish()) {
        queuedLineBytes_ += tail->size() + 1;
        lines_.push_back(std::move(*tail));
    }
    if (auto errorTail = errorSplitter_.finish()) {
        keepErrorLine(std::move(*errorTail));
    }
    markDone();
}

void ChildProcess::markDone() {
    done_ = true;
    if (released_) {
        deleteLater();
        return;
    }
    notifyWaiter();
}

void ChildProcess::notifyWaiter() {
    if (!waiter_ || resumePosted_) {
        return;
    }
    resumePosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            resumePosted_ = false;
            if (auto waiter = std::exchange(waiter_, {})) {
                waiter.resume();
            }
        },
        Qt::QueuedConnection);
}

} // namespace keldoran
