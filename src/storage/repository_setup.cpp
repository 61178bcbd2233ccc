#include "repository_setup.h"

#include "base/task_outcome.h"
#include "bucket_name.h"
#include "bucket_probe.h"
#include "keychain.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "restic/operation_cancelled.h"
#include "restic/restic.h"
#include "restic/restic_binary.h"
#include "restic/restic_error.h"

namespace keldoran {

namespace {

QCoro::Task<void> saveCredentials(const Keychain& keychain, QString accessKey, QString secretKey,
                                  QString password) {
    co_await keychain.save(accessKey, Keychain::Account::accessKey);
    co_await keychain.save(secretKey, Keychain::Account::secretKey);
    co_await keychain.save(password, Keychain::Account::repositoryPassword);
}

// The validation a failed probe amounts to.
Validation probeFailure(const std::exception_ptr& failure, const StorageConfig& config) {
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        if (error.errorCase() == ResticError::Case::binaryNotFound) {
            return Validation::failed(SetupMessages::resticMissing());
        }
        if (!error.exitStatus()) {
            return Validation::failed(error.description());
        }
        const auto& text = error.exitStatus()->stderrText;
        if (const auto& status = *error.exitStatus(); status.signal) {
            return Validation::failed(stoppedBySignal(*status.signal));
        }
        // An empty bucket answers "does not exist" whatever words its name holds.
        if (error.isCommandFailure(ResticError::Kind::repositoryDoesNotExist)) {
            return Validation::reachableNeedsInit();
        }
        if (auto region = SetupMessages::detectRegion(text, config.provider(), config.region)) {
            return Validation::wrongRegion(*region);
        }
        return SetupMessages::classifyProbeFailure(text);
    } catch (const OperationCancelled&) {
        // restic would go on retrying an unreachable endpoint for a quarter of an hour.
        return Validation::failed(SetupMessages::probeTimedOut(RepositorySetup::probeTimeLimitSeconds));
    } catch (const std::exception& error) {
        return Validation::failed(QString::fromUtf8(error.what()));
    }
}

// The sentence for a repository that could not be created.
QString initFailure(const std::exception_ptr& failure, StorageProviderId provider) {
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        return SetupMessages::userMessage(
            error.exitStatus() ? error.exitStatus()->stderrText : error.description(), provider);
    } catch (const std::exception& error) {
        return SetupMessages::userMessage(QString::fromUtf8(error.what()), provider);
    }
}

} // namespace

RepositorySetup::RepositorySetup(const Platform& platform, ResticProcess::Context context)
    : platform_(platform)
    , context_(std::move(context)) {}

QCoro::Task<Validation> RepositorySetup::probe(StorageConfig config, QString accessKey, QString secretKey,
                                               QString password) const {
    if (!isValidBucketName(config.bucket)) {
        co_return Validation::failed(SetupMessages::invalidBucketName());
    }
    const auto binary = ResticBinary::locate(platform_.resticDirectory);
    if (!binary) {
        co_return Validation::failed(SetupMessages::resticMissing());
    }
    const Restic restic(ResticProcess(
        *binary, config.repository(accessKey, secretKey, password, platform_.endpointOverride()), context_));
    std::stop_source timeLimit;
    const auto deadline = platform_.clock->callAt(platform_.clock->now().addSecs(probeTimeLimitSeconds),
                                                  [&timeLimit] { timeLimit.request_stop(); });
    const auto failure = co_await failureOf(restic.catConfig(timeLimit.get_token()));
    co_return failure ? probeFailure(failure.exception, config) : Validation::reachableExistingRepo();
}

QCoro::Task<Validation> RepositorySetup::validate(StorageConfig config, QString accessKey,
                                                  QString secretKey) const {
    const QString noPassword;
    auto result = co_await probe(config, accessKey, secretKey, noPassword);
    // With an empty password restic refuses an existing repository: that is the answer wanted.
    const auto text = result.message.toLower();
    if (result.kind == Validation::Kind::failed &&
        (text.contains(QLatin1String("wrong password")) || text.contains(QLatin1String("empty password")))) {
        result = Validation::reachableExistingRepo();
    }
    // restic answers an empty bucket and a missing one alike.
    if (result.kind == Validation::Kind::reachableNeedsInit) {
        const auto presence = co_await BucketProbe::check(
            config, accessKey, secretKey, platform_.endpointOverride(), platform_.environment);
        if (presence == BucketProbe::Presence::missing) {
            result = Validation::bucketMissing();
        }
    }
    co_return result;
}

QCoro::Task<StorageConfig> RepositorySetup::store(StorageConfig config, QString accessKey, QString secretKey,
                                                  QString password, QString keychainService,
                                                  SettingsStore* settings) const {
    const auto binary = ResticBinary::locate(platform_.resticDirectory);
    if (!binary) {
        throw SetupError(SetupMessages::userMessage(SetupMessages::resticMissing()));
    }
    auto result = co_await probe(config, accessKey, secretKey, password);
    if (result.kind == Validation::Kind::wrongRegion) {
        config.region = result.region;
        result = co_await probe(config, accessKey, secretKey, password);
        if (result.kind != Validation::Kind::reachableExistingRepo &&
            result.kind != Validation::Kind::reachableNeedsInit) {
            throw SetupError(SetupMessages::regionUndetermined());
        }
    }
    if (result.kind == Validation::Kind::failed) {
        throw SetupError(SetupMessages::userMessage(result.message, config.region.provider));
    }
    if (result.kind == Validation::Kind::reachableNeedsInit) {
        const Restic restic(ResticProcess(
            *binary, config.repository(accessKey, secretKey, password, platform_.endpointOverride()),
            context_));
        if (const auto failure = co_await failureOf(restic.initRepository())) {
            throw SetupError(initFailure(failure.exception, config.region.provider));
        }
    }
    const Keychain keychain(*platform_.secrets, keychainService);
    if (const auto storing = co_await failureOf(saveCredentials(keychain, accessKey, secretKey, password))) {
        throw SetupError(errorDescription(storing.exception));
    }
    config.save(*settings);
    co_return config;
}

} // namespace keldoran
