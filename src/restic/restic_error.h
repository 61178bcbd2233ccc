#pragma once

#include <exception>
#include <optional>
#include <QCoreApplication>
#include <QString>
#include <string>

namespace keldoran {

/// Every way a restic run can fail. Thrown as an exception through the engine's coroutines.
class ResticError : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(ResticError)

public:
    enum class Case { launchFailed, commandFailed, decodingFailed, binaryNotFound };

    /// What restic's exit code means.
    enum class Kind {
        generic,
        goRuntimeError,
        backupSourceUnreadable,
        repositoryDoesNotExist,
        lockFailed,
        wrongPassword,
        interrupted,
        killedBySignal,
        unknown
    };

    struct ExitStatus {
        qint32 code = 0;
        QString stderrText;
        /// The signal that ended restic; its code is then meaningless.
        std::optional<int> signal;

        Kind kind() const;
        /// "lockFailed", "signal(11)", or "unknown(5)" for a code without a meaning of its own.
        QString kindName() const;
    };

    static ResticError launchFailed(const QString& underlyingDescription);
    static ResticError commandFailed(ExitStatus status);
    static ResticError decodingFailed(const QString& line, const QString& underlyingDescription);
    static ResticError binaryNotFound();

    Case errorCase() const { return case_; }
    /// Present only for commandFailed.
    const std::optional<ExitStatus>& exitStatus() const { return exitStatus_; }
    bool isCommandFailure(Kind kind) const { return exitStatus_ && exitStatus_->kind() == kind; }

    /// The error's description, used wherever it is shown or logged as text.
    QString description() const;
    /// Short form for log lines: "exit 11 (lockFailed)" for a command failure, else the description.
    QString logDescription() const;
    /// The sentence shown for a failed backup.
    QString backupFailureMessage() const;
    /// The sentence shown for a failed restore.
    QString restoreFailureMessage() const;
    /// The sentence shown when the backups could not be listed or read.
    QString readFailureMessage() const;

    const char* what() const noexcept override { return what_.c_str(); }

private:
    ResticError(Case errorCase, QString detail, QString underlying, std::optional<ExitStatus> status);

    Case case_;
    QString detail_;
    QString underlying_;
    std::optional<ExitStatus> exitStatus_;
    std::string what_;
};

/// The sentence for a restic that a signal ended: "restic stopped unexpectedly (signal 3)."
QString stoppedBySignal(int signal);
/// Whether `text` begins with that sentence, in the language it was made in.
bool startsWithStoppedBySignal(const QString& text);

/// restic's fatal message from its standard error: the first JSON line with a "message", without "Fatal: ".
std::optional<QString> resticFatalMessage(const QString& stderrText);

/// The description of any error: a ResticError's own, or the exception's text.
QString errorDescription(const std::exception_ptr& error);
/// The log description of any error.
QString errorLogDescription(const std::exception_ptr& error);
/// The restore sentence of any error: a non-restic error cannot have started restic.
QString restoreFailureMessage(const std::exception_ptr& error);
/// The sentence for a listing or other read of the repository that failed.
QString readFailureMessage(const std::exception_ptr& error);

} // namespace keldoran
