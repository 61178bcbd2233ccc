#include "restic_process.h"

#include "child_process.h"
#include "operation_cancelled.h"
#include "restic_error.h"

#include <QStandardPaths>
#include <QThread>

namespace {

// Interrupts the child from whichever thread asked for the stop; the process belongs to its own thread.
std::stop_callback<std::function<void()>> interruptOnStop(const std::stop_token& stop, ChildProcess* child) {
    return std::stop_callback<std::function<void()>>(stop, [child] {
        if (QThread::currentThread() == child->thread()) {
            child->interrupt();
        } else {
            QMetaObject::invokeMethod(child, &ChildProcess::interrupt, Qt::QueuedConnection);
        }
    });
}

// The result every run shares once restic has ended: launch failure, cancellation, exit status.
void throwIfFailed(ChildProcess& child, int status, const std::stop_token& stop) {
    if (child.launchError()) {
        throw ResticError::launchFailed(*child.launchError());
    }
    if (stop.stop_requested()) {
        throw OperationCancelled();
    }
    if (status != 0) {
        throw ResticError::commandFailed({status, child.stderrText()});
    }
}

QCoro::Task<QByteArray> runToEnd(ChildProcess::Launch launch, std::stop_token stop) {
    auto child = ChildProcess::start(std::move(launch), ChildProcess::Output::whole);
    const auto onStop = interruptOnStop(stop, child.get());
    const int status = co_await child->exitSignal().wait();
    throwIfFailed(*child, status, stop);
    co_return child->takeOutput();
}

QCoro::AsyncGenerator<QByteArray> linesUntilEnd(ChildProcess::Launch launch, std::stop_token stop) {
    auto child = ChildProcess::start(std::move(launch), ChildProcess::Output::lines);
    const auto onStop = interruptOnStop(stop, child.get());
    while (true) {
        while (child->hasLine()) {
            auto line = child->takeLine();
            if (!stop.stop_requested()) {
                co_yield line;
            }
        }
        if (child->isDone()) {
            break;
        }
        co_await child->changed();
    }
    const int status = co_await child->exitSignal().wait();
    throwIfFailed(*child, status, stop);
}

} // namespace

ResticProcess::Context ResticProcess::Context::live() {
    Context context{QProcessEnvironment::systemEnvironment(), std::nullopt};
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
    // Inherited, these would silently override the password or open another repository.
    for (const char* conflicting : {"RESTIC_PASSWORD_FILE", "RESTIC_PASSWORD_COMMAND", "RESTIC_REPOSITORY_FILE"}) {
        environment.remove(QString::fromLatin1(conflicting));
    }
    const auto variables = repository_.environment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        environment.insert(it.key(), it.value());
    }
    if (context_.cachesDirectory) {
        environment.insert(QStringLiteral("RESTIC_CACHE_DIR"), *context_.cachesDirectory + QStringLiteral("/restic"));
    }
    return environment;
}

QCoro::Task<QByteArray> ResticProcess::run(QStringList arguments, std::stop_token stop) const {
    return runToEnd({binary_.path, std::move(arguments), environment()}, std::move(stop));
}

QCoro::AsyncGenerator<QByteArray> ResticProcess::streamLines(QStringList arguments, std::stop_token stop) const {
    return linesUntilEnd({binary_.path, std::move(arguments), environment()}, std::move(stop));
}
