#include "restic_error.h"

#include "operation_cancelled.h"
#include "restic_json.h"
#include "restore_problem.h"

namespace keldoran {

ResticError::ResticError(Case errorCase, QString detail, QString underlying, std::optional<ExitStatus> status)
    : case_(errorCase)
    , detail_(std::move(detail))
    , underlying_(std::move(underlying))
    , exitStatus_(std::move(status))
    , what_(description().toStdString()) {}

namespace {
QString stoppedBySignalSentence() {
    return ResticError::tr("restic stopped unexpectedly (signal %1).");
}
} // namespace

QString stoppedBySignal(int signal) {
    return stoppedBySignalSentence().arg(signal);
}

bool startsWithStoppedBySignal(const QString& text) {
    const auto sentence = stoppedBySignalSentence();
    return text.startsWith(sentence.left(sentence.indexOf(QLatin1String("%1"))));
}

namespace {

// What a failed restic says the same way whatever the command; none where each command has its own words.
std::optional<QString> sharedFailureMessage(const ResticError::ExitStatus& status) {
    switch (status.kind()) {
    case ResticError::Kind::repositoryDoesNotExist:
        return ResticError::tr("The backup repository could not be found.");
    case ResticError::Kind::lockFailed:
        return ResticError::tr("Repository is locked by another process.");
    case ResticError::Kind::wrongPassword:
        return ResticError::tr("Repository password is incorrect.");
    case ResticError::Kind::killedBySignal:
        return stoppedBySignal(*status.signal);
    default:
        return std::nullopt;
    }
}

} // namespace

ResticError ResticError::launchFailed(const QString& underlyingDescription) {
    return ResticError(Case::launchFailed, {}, underlyingDescription, std::nullopt);
}

ResticError ResticError::commandFailed(ExitStatus status) {
    return ResticError(Case::commandFailed, {}, {}, std::move(status));
}

ResticError ResticError::decodingFailed(const QString& line, const QString& underlyingDescription) {
    return ResticError(Case::decodingFailed, line, underlyingDescription, std::nullopt);
}

ResticError ResticError::binaryNotFound() {
    return ResticError(Case::binaryNotFound, {}, {}, std::nullopt);
}

ResticError::Kind ResticError::ExitStatus::kind() const {
    if (signal) {
        return Kind::killedBySignal;
    }
    switch (code) {
    case 1:
        return Kind::generic;
    case 2:
        return Kind::goRuntimeError;
    case 3:
        return Kind::backupSourceUnreadable;
    case 10:
        return Kind::repositoryDoesNotExist;
    case 11:
        return Kind::lockFailed;
    case 12:
        return Kind::wrongPassword;
    case 130:
        return Kind::interrupted;
    default:
        return Kind::unknown;
    }
}

QString ResticError::ExitStatus::kindName() const {
    switch (kind()) {
    case Kind::generic:
        return QStringLiteral("generic");
    case Kind::goRuntimeError:
        return QStringLiteral("goRuntimeError");
    case Kind::backupSourceUnreadable:
        return QStringLiteral("backupSourceUnreadable");
    case Kind::repositoryDoesNotExist:
        return QStringLiteral("repositoryDoesNotExist");
    case Kind::lockFailed:
        return QStringLiteral("lockFailed");
    case Kind::wrongPassword:
        return QStringLiteral("wrongPassword");
    case Kind::interrupted:
        return QStringLiteral("interrupted");
    case Kind::killedBySignal:
        return QStringLiteral("signal(%1)").arg(*signal);
    case Kind::unknown:
        break;
    }
    return QStringLiteral("unknown(%1)").arg(code);
}

QString ResticError::description() const {
    switch (case_) {
    case Case::launchFailed:
        return tr("restic could not be launched: %1").arg(underlying_);
    case Case::commandFailed:
        if (exitStatus_->signal) {
            return stoppedBySignal(*exitStatus_->signal) + QLatin1Char(' ') + exitStatus_->stderrText;
        }
        return tr("restic exited with code %1: %2")
            .arg(QString::number(exitStatus_->code), exitStatus_->stderrText);
    case Case::decodingFailed:
        return tr("Unexpected restic output: %1").arg(detail_);
    case Case::binaryNotFound:
        return tr("The restic executable was not found in the application bundle.");
    }
    return {};
}

QString ResticError::logDescription() const {
    if (case_ == Case::commandFailed && exitStatus_->signal) {
        return exitStatus_->kindName();
    }
    if (case_ == Case::commandFailed) {
        return QStringLiteral("exit %1 (%2)").arg(exitStatus_->code).arg(exitStatus_->kindName());
    }
    return description();
}

QString ResticError::backupFailureMessage() const {
    switch (case_) {
    case Case::launchFailed:
        return tr("Backup could not be started.");
    case Case::decodingFailed:
        return tr("Backup failed.");
    case Case::binaryNotFound:
        return tr("The restic executable is missing from the app.");
    case Case::commandFailed:
        break;
    }
    switch (exitStatus_->kind()) {
    case Kind::repositoryDoesNotExist:
        return tr("Backup destination could not be found.");
    case Kind::interrupted:
        return tr("Backup was cancelled.");
    default:
        return sharedFailureMessage(*exitStatus_).value_or(tr("Backup failed."));
    }
}

QString ResticError::restoreFailureMessage() const {
    if (case_ != Case::commandFailed) {
        return tr("Restore could not be started.");
    }
    if (exitStatus_->kind() == Kind::interrupted) {
        return tr("Restore was cancelled.");
    }
    if (const auto shared = sharedFailureMessage(*exitStatus_)) {
        return *shared;
    }
    // restic's "There were 2 errors" says nothing: the items it could not write say what went wrong.
    if (const auto problems =
            RestoreProblem::summary(RestoreProblem::fromStandardError(exitStatus_->stderrText))) {
        return *problems;
    }
    return resticFatalMessage(exitStatus_->stderrText).value_or(tr("Restore failed."));
}

QString ResticError::readFailureMessage() const {
    if (case_ != Case::commandFailed) {
        return description();
    }
    if (const auto shared = sharedFailureMessage(*exitStatus_)) {
        return *shared;
    }
    return resticFatalMessage(exitStatus_->stderrText).value_or(tr("The backups could not be read."));
}

std::optional<QString> resticFatalMessage(const QString& stderrText) {
    const auto pieces = stderrText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const auto& piece : pieces) {
        if (auto message = ResticJson::decodeExitErrorMessage(piece.toUtf8())) {
            return message->remove(QStringLiteral("Fatal: "));
        }
    }
    return std::nullopt;
}

namespace {
// The ResticError an exception pointer holds, or the other exception's text.
struct UnpackedError {
    std::optional<ResticError> restic;
    /// In English, for the log.
    QString otherText;
    bool cancelled = false;
    /// For the user.
    QString shownText() const {
        return cancelled ? ResticError::tr("The operation was cancelled.") : otherText;
    }
};

UnpackedError unpack(const std::exception_ptr& error) {
    if (!error) {
        return {std::nullopt, ResticError::tr("Unknown error")};
    }
    try {
        std::rethrow_exception(error);
    } catch (const ResticError& resticError) {
        return {resticError, {}};
    } catch (const OperationCancelled& cancelled) {
        return {std::nullopt, QString::fromUtf8(cancelled.what()), true};
    } catch (const std::exception& other) {
        return {std::nullopt, QString::fromUtf8(other.what())};
    } catch (...) {
        return {std::nullopt, ResticError::tr("Unknown error")};
    }
}
} // namespace

QString errorDescription(const std::exception_ptr& error) {
    const auto unpacked = unpack(error);
    return unpacked.restic ? unpacked.restic->description() : unpacked.shownText();
}

QString errorLogDescription(const std::exception_ptr& error) {
    const auto unpacked = unpack(error);
    return unpacked.restic ? unpacked.restic->logDescription() : unpacked.otherText;
}

QString readFailureMessage(const std::exception_ptr& error) {
    const auto unpacked = unpack(error);
    return unpacked.restic ? unpacked.restic->readFailureMessage() : unpacked.shownText();
}

QString restoreFailureMessage(const std::exception_ptr& error) {
    const auto unpacked = unpack(error);
    return unpacked.restic ? unpacked.restic->restoreFailureMessage()
                           : ResticError::tr("Restore could not be started.");
}

} // namespace keldoran
