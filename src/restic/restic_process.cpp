#include "restic_process.h"

#include "child_process.h"
#include "operation_cancelled.h"
#include "restic_error.h"
#include "restic_launcher.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QThread>

namespace keldoran {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ResticProcess)
};

// Either stop: the run's own, or the program's interruption.
struct Stops {
    std::stop_token own;
    std::stop_token interruption;

    bool requested() const { return own.stop_requested() || interruption.stop_requested(); }
};

using InterruptCallback = std::stop_callback<std::function<void()>>;

// Interrupts the child from whichever thread asked for the stop; the process belongs to its own thread.
std::function<void()> interrupter(ChildProcess* child) {
    return [child] {
        if (QThread::currentThread() == child->thread()) {
            child->interrupt();
        } else {
            QMetaObject::invokeMethod(child, &ChildProcess::interrupt, Qt::QueuedConnection);
        }
    };
}

// The result every run shares once restic has ended: launch failure, cancellation, exit status.
void throwIfFailed(ChildProcess& child, const ProcessEnd& end, const Stops& stops) {
    if (child.launchError()) {
        throw ResticError::launchFailed(*child.launchError());
    }
    if (stops.requested()) {
        throw OperationCancelled();
    }
    if (child.outputOverflowed()) {
        throw ResticError::decodingFailed(
            Text::tr("an answer larger than %1 MiB").arg(ChildProcess::maximumOutputBytes / (1024 * 1024)),
            QStringLiteral("output limit"));
    }
    if (end.code != 0 || end.signal) {
        throw ResticError::commandFailed({end.code, child.stderrText(), end.signal});
    }
}

QCoro::Task<QByteArray> runToEnd(ChildProcess::Launch launch, Stops stops) {
    // An operation cancelled before its turn (a quit) starts no restic at all.
    if (stops.requested()) {
        throw OperationCancelled();
    }
    auto child = ChildProcess::start(std::move(launch), ChildProcess::Output::whole);
    const InterruptCallback onStop(stops.own, interrupter(child.get()));
    const InterruptCallback onInterruption(stops.interruption, interrupter(child.get()));
    const auto end = co_await child->exitSignal().wait();
    throwIfFailed(*child, end, stops);
    co_return child->takeOutput();
}

QCoro::AsyncGenerator<QByteArray> linesUntilEnd(ChildProcess::Launch launch, Stops stops) {
    if (stops.requested()) {
        throw OperationCancelled();
    }
    auto child = ChildProcess::start(std::move(launch), ChildProcess::Output::lines);
    const InterruptCallback onStop(stops.own, interrupter(child.get()));
    const InterruptCallback onInterruption(stops.interruption, interrupter(child.get()));
    while (true) {
        while (child->hasLine()) {
            auto line = child->takeLine();
            if (!stops.requested()) {
                co_yield line;
            }
        }
        if (child->isDone()) {
            break;
        }
        co_await child->changed();
    }
    const auto end = co_await child->exitSignal().wait();
    throwIfFailed(*child, end, stops);
}

} // namespace

ResticProcess::Context ResticProcess::Context::live() {
    Context context{QProcessEnvironment::systemEnvironment(), std::nullopt, {}, nullptr};
    const auto caches = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!caches.isEmpty()) {
        context.cachesDirectory = caches;
    }
    return context;
}

ResticProcess::ResticProcess(ResticBinary binary, ResticRepository repository, Context context)
    : binary_(std::move(binary))
    , repository_(std::move(repository))
    , context_(std::move(context)) {}

QProcessEnvironment ResticProcess::environment() const {
    auto environment = context_.inherited;
    // Inherited, these would override the password, open another repository, trust another authority or
    // sign with someone else's session. Only where the cache goes may come from outside.
    for (const auto& name : environment.keys()) {
        const bool foreign =
            name.startsWith(QLatin1String("RESTIC_")) || name.startsWith(QLatin1String("AWS_"));
        if (foreign && (name != QLatin1String("RESTIC_CACHE_DIR") || context_.cachesDirectory)) {
            environment.remove(name);
        }
    }
    const auto variables = repository_.environment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        environment.insert(it.key(), it.value());
    }
    if (context_.cachesDirectory) {
        environment.insert(QStringLiteral("RESTIC_CACHE_DIR"),
                           *context_.cachesDirectory + QStringLiteral("/restic"));
    }
    return environment;
}

bool ResticProcess::runsAtIdleIo(const QStringList& arguments) {
    static const QStringList background{QStringLiteral("backup"), QStringLiteral("forget"),
                                        QStringLiteral("prune"), QStringLiteral("check")};
    return !arguments.isEmpty() && background.contains(arguments.first());
}

QStringList ResticProcess::commandLine(QStringList arguments) const {
    // Right after the command word: restic takes its global options there, and the command stays first.
    if (!arguments.isEmpty()) {
        for (qsizetype i = 0; i < repository_.options.size(); ++i) {
            arguments.insert(1 + i, repository_.options[i]);
        }
    }
    return arguments;
}

QCoro::Task<QByteArray> ResticProcess::run(QStringList arguments, std::stop_token stop) const {
    ChildProcess::Launch launch{binary_.path, commandLine(arguments), environment(), runsAtIdleIo(arguments)};
    if (context_.launcher) {
        return context_.launcher->run(std::move(launch), std::move(stop));
    }
    return runToEnd(std::move(launch), {std::move(stop), context_.interruption});
}

QCoro::AsyncGenerator<QByteArray> ResticProcess::streamLines(QStringList arguments,
                                                             std::stop_token stop) const {
    ChildProcess::Launch launch{binary_.path, commandLine(arguments), environment(), runsAtIdleIo(arguments)};
    if (context_.launcher) {
        return context_.launcher->streamLines(std::move(launch), std::move(stop));
    }
    return linesUntilEnd(std::move(launch), {std::move(stop), context_.interruption});
}

} // namespace keldoran
