#include "child_process.h"

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

ChildProcess::ChildProcess(Launch launch, Output output)
    : outputMode_(output) {
    process_.setProgram(launch.program);
    process_.setArguments(launch.arguments);
    process_.setProcessEnvironment(launch.environment);
    // With an open stdin pipe restic waits for a password forever and ignores SIGINT.
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setChildProcessModifier([] {
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
    });

    connect(&process_, &QProcess::readyReadStandardOutput, this, &ChildProcess::readStandardOutput);
    connect(&process_, &QProcess::readyReadStandardError, this, &ChildProcess::readStandardError);
    std::weak_ptr<ProcessExitSignal> weakSignal = exitSignal_;
    connect(&process_, &QProcess::finished, this, [this, weakSignal](int exitCode) {
        processFinished();
        // A process killed by a signal reports the signal number, as QProcess gives it.
        if (auto signal = weakSignal.lock()) {
            signal->exited(exitCode);
        }
    });
    connect(&process_, &QProcess::errorOccurred, this, [this, weakSignal](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || done_) {
            return;
        }
        launchError_ = process_.errorString();
        markDone();
        if (auto signal = weakSignal.lock()) {
            signal->exited(-1);
        }
    });
}

ChildProcess::Owner ChildProcess::start(Launch launch, Output output) {
    Owner child(new ChildProcess(std::move(launch), output));
    child->process_.start();
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
    const auto pid = static_cast<pid_t>(process_.processId());
    if (pid <= 0) {
        return;
    }
    // The group exists once the child has run setpgid; until then, signal the process itself.
    if (::kill(-pid, SIGINT) != 0) {
        ::kill(pid, SIGINT);
    }
}

QByteArray ChildProcess::takeLine() {
    auto line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}

void ChildProcess::readStandardOutput() {
    const auto chunk = process_.readAllStandardOutput();
    if (chunk.isEmpty()) {
        return;
    }
    if (outputMode_ == Output::lines) {
        splitter_.feed(chunk, lines_);
    } else {
        output_.append(chunk);
    }
    notifyWaiter();
}

void ChildProcess::readStandardError() {
    stderr_.append(process_.readAllStandardError());
}

void ChildProcess::processFinished() {
    readStandardOutput();
    readStandardError();
    if (auto tail = splitter_.finish()) {
        lines_.push_back(std::move(*tail));
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
