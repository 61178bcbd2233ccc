#pragma once

#include "restic/restic_process.h"
#include "storage_config.h"
#include "validation.h"

#include <qcoro/qcorotask.h>

namespace keldoran {

struct Platform;
class SettingsStore;

/// Setting up a repository: probing a bucket with a set of keys, creating the repository when there is
/// none, and storing what opens it. Knows nothing of the controller that then uses it.
class RepositorySetup {
public:
    /// How long a probe may take: a healthy one answers in under a second, while restic retries an
    /// unreachable endpoint for a quarter of an hour.
    static constexpr int probeTimeLimitSeconds = 30;

    RepositorySetup(const Platform& platform, ResticProcess::Context context);

    /// One probe with the repository password: reachableExistingRepo when it opens the backup, failed with
    /// restic's "wrong password" when it does not. Never fails.
    QCoro::Task<Validation> probe(StorageConfig config, QString accessKey, QString secretKey,
                                  QString password) const;
    /// One probe of one candidate region with the two keys and no password. Never fails.
    QCoro::Task<Validation> validate(StorageConfig config, QString accessKey, QString secretKey) const;
    /// Probes with the password (following a region restic names), creates the repository when there is
    /// none, and stores the keys, the password and the configuration. Throws SetupError.
    QCoro::Task<StorageConfig> store(StorageConfig config, QString accessKey, QString secretKey,
                                     QString password, QString keychainService,
                                     SettingsStore* settings) const;

private:
    const Platform& platform_;
    ResticProcess::Context context_;
};

} // namespace keldoran
