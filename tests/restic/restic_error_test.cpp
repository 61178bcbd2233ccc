#include "restic/check_failure_classification.h"
#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

ResticError failed(int code, const QString& stderrText = {}) {
    return ResticError::commandFailed({code, stderrText, std::nullopt});
}

QString fixtureText(const char* name) {
    return QString::fromUtf8(
        readFile(QStringLiteral(KELDORAN_FIXTURES "/restic-0.18/") + QString::fromLatin1(name)));
}

CheckFailureClassification classify(const ResticError& error) {
    return classifyCheckFailure(std::make_exception_ptr(error));
}

} // namespace

TEST(ResticError, describesEveryCaseForTheLogAndTheUser) {
    EXPECT_EQ(ResticError::launchFailed(QStringLiteral("Permission denied")).description(),
              QStringLiteral("restic could not be launched: Permission denied"));
    EXPECT_EQ(failed(3, QStringLiteral("oops\n")).description(),
              QStringLiteral("restic exited with code 3: oops\n"));
    EXPECT_EQ(ResticError::decodingFailed(QStringLiteral("[{"), QStringLiteral("x")).description(),
              QStringLiteral("Unexpected restic output: [{"));
    EXPECT_EQ(ResticError::binaryNotFound().description(),
              QStringLiteral("The restic executable was not found in the application bundle."));
    EXPECT_EQ(ResticError::binaryNotFound().backupFailureMessage(),
              QStringLiteral("The restic executable is missing from the app."));

    EXPECT_EQ(failed(11).logDescription(), QStringLiteral("exit 11 (lockFailed)"));
    EXPECT_EQ(failed(5).logDescription(), QStringLiteral("exit 5 (unknown(5))"));
    EXPECT_EQ(failed(0).logDescription(), QStringLiteral("exit 0 (unknown(0))"));
    EXPECT_EQ(failed(2).exitStatus()->kind(), ResticError::Kind::goRuntimeError);
    EXPECT_EQ(ResticError::launchFailed(QStringLiteral("x")).logDescription(),
              QStringLiteral("restic could not be launched: x"));

    const std::pair<int, const char*> backupMessages[] = {{1, "Backup failed."},
                                                          {2, "Backup failed."},
                                                          {3, "Backup failed."},
                                                          {10, "Backup destination could not be found."},
                                                          {11, "Repository is locked by another process."},
                                                          {12, "Repository password is incorrect."},
                                                          {130, "Backup was cancelled."},
                                                          {137, "Backup failed."}};
    for (const auto& [code, message] : backupMessages) {
        EXPECT_EQ(failed(code).backupFailureMessage(), QString::fromUtf8(message)) << code;
    }
    EXPECT_EQ(ResticError::launchFailed({}).backupFailureMessage(),
              QStringLiteral("Backup could not be started."));
    EXPECT_EQ(ResticError::decodingFailed({}, {}).backupFailureMessage(), QStringLiteral("Backup failed."));
}

TEST(ResticError, restoreMessagesUseResticsOwnFatalLine) {
    EXPECT_EQ(failed(10).restoreFailureMessage(),
              QStringLiteral("The backup repository could not be found."));
    EXPECT_EQ(failed(130, fixtureText("restore-sigint.stderr.txt")).restoreFailureMessage(),
              QStringLiteral("Restore was cancelled."));
    EXPECT_EQ(failed(1, QStringLiteral("plain text first\n{\"message_type\":\"exit_error\",\"code\":1,"
                                       "\"message\":\"Fatal: unable to open config file\"}\n"))
                  .restoreFailureMessage(),
              QStringLiteral("unable to open config file"));
    EXPECT_EQ(failed(1, fixtureText("ls-badid.stderr.txt")).restoreFailureMessage(),
              QStringLiteral("no matching ID found for prefix \"deadbeef\""));
    EXPECT_EQ(failed(3, QStringLiteral("error: open /x: permission denied\n")).restoreFailureMessage(),
              QStringLiteral("Restore failed."));
    EXPECT_EQ(ResticError::binaryNotFound().restoreFailureMessage(),
              QStringLiteral("Restore could not be started."));
    EXPECT_EQ(restoreFailureMessage(std::make_exception_ptr(OperationCancelled())),
              QStringLiteral("Restore could not be started."));
    EXPECT_EQ(errorDescription(std::make_exception_ptr(OperationCancelled())),
              QStringLiteral("The operation was cancelled."));
    EXPECT_EQ(errorLogDescription(std::make_exception_ptr(failed(12))),
              QStringLiteral("exit 12 (wrongPassword)"));
}

TEST(ResticError, classifiesFailedIntegrityChecks) {
    EXPECT_EQ(classify(failed(11, fixtureText("lock-stale-exit11-json.stderr.txt"))),
              CheckFailureClassification::locked);
    EXPECT_EQ(classify(failed(12)), CheckFailureClassification::unreachable);
    EXPECT_EQ(classify(failed(10)), CheckFailureClassification::unreachable);
    for (const char* recorded : {"check-corruption-tree.stderr.txt", "check-readdata-corruption.stderr.txt",
                                 "check-missing-pack.stderr.txt", "check-truncated-pack.stderr.txt"}) {
        EXPECT_EQ(classify(failed(1, fixtureText(recorded))), CheckFailureClassification::corruption)
            << recorded;
    }
    EXPECT_EQ(classify(failed(1, QStringLiteral("ERROR FOR PACK 1234"))),
              CheckFailureClassification::corruption);
    EXPECT_EQ(classify(failed(1, fixtureText("s3-catconfig-nxdomain.stderr.txt"))),
              CheckFailureClassification::unreachable);
    EXPECT_EQ(classify(failed(1, fixtureText("s3-catconfig-refused.stderr.txt"))),
              CheckFailureClassification::unreachable);
    EXPECT_EQ(classify(failed(2, QStringLiteral("panic: runtime error"))), CheckFailureClassification::other);
    EXPECT_EQ(classify(ResticError::launchFailed({})), CheckFailureClassification::other);
    EXPECT_EQ(classifyCheckFailure(std::make_exception_ptr(OperationCancelled())),
              CheckFailureClassification::other);

    EXPECT_EQ(recordedReason(CheckFailureClassification::locked), std::nullopt);
    EXPECT_EQ(recordedReason(CheckFailureClassification::corruption), CheckFailureReason::corruption);
    EXPECT_EQ(checkFailureReasonFromRaw(QStringLiteral("unreachable")), CheckFailureReason::unreachable);
    EXPECT_EQ(checkFailureReasonFromRaw(QStringLiteral("Corruption")), std::nullopt);
    EXPECT_EQ(rawValue(CheckFailureReason::other), QStringLiteral("other"));
}

} // namespace keldoran
