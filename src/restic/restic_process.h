#pragma once

#include "restic_binary.h"
#include "restic_repository.h"

#include <optional>
#include <QByteArray>
#include <qcoro/qcoroasyncgenerator.h>
#include <qcoro/qcorotask.h>
#include <QProcessEnvironment>
#include <QStringList>
#include <stop_token>

namespace keldoran {

class ResticLauncher;

/// The single place where restic child processes are started. Every run gets its own process with the
/// application's environment, the repository's variables on top and standard input on the null device.
/// Cancellation (the run's own stop or the context's interruption) sends exactly one SIGINT and then waits
/// for restic to end by itself: no time-outs, no kill.
class ResticProcess {
public:
    /// What every run inherits from the application.
    struct Context {
        QProcessEnvironment inherited;
        /// The user's caches folder; restic's cache goes to its "restic" subfolder. Absent: left as
        /// inherited.
        std::optional<QString> cachesDirectory;
        /// Requested when the whole program is stopping (a Ctrl-C, a service stop) or its caller gave up:
        /// every run then ends as if its own stop had been requested.
        std::stop_token interruption = {};
        /// Runs go here instead of to child processes when set.
        ResticLauncher* launcher = nullptr;

        static Context live();
    };

    ResticProcess(ResticBinary binary, ResticRepository repository, Context context = Context::live());

    const ResticBinary& binary() const { return binary_; }
    const ResticRepository& repository() const { return repository_; }

    /// The complete environment a run receives.
    QProcessEnvironment environment() const;
    /// Whether a run of these arguments yields the disk to everything else: the work the user does not
    /// wait for (backup, retention, prune, check), never a restore.
    static bool runsAtIdleIo(const QStringList& arguments);

    /// Runs restic to the end and returns its standard output. Throws ResticError (launchFailed,
    /// commandFailed with the whole standard error) or OperationCancelled when `stop` was requested.
    QCoro::Task<QByteArray> run(QStringList arguments, std::stop_token stop = {}) const;

    /// restic's standard output as lines, each delivered as soon as it is complete. Ends normally on exit
    /// status 0; otherwise throws like `run`. After a stop request no further line is delivered, restic
    /// is interrupted and the stream ends with OperationCancelled once it has exited.
    QCoro::AsyncGenerator<QByteArray> streamLines(QStringList arguments, std::stop_token stop = {}) const;

private:
    /// The arguments with the repository's options after the command word.
    QStringList commandLine(QStringList arguments) const;

    ResticBinary binary_;
    ResticRepository repository_;
    Context context_;
};

} // namespace keldoran
