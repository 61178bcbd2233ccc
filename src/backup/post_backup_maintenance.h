#pragma once

#include "restic/restic.h"

#include <qcoro/qcorotask.h>
#include <stop_token>

namespace keldoran {

class AppModel;

/// What follows every backup that ended with exit 0 or 3, inside the same operation: retention (pruning
/// at most weekly), cache cleanup (weekly) and the integrity check (weekly, never on battery). Prune and
/// the check wait for an unmetered connection unless backups on metered connections are allowed. Each step
/// decides for itself whether it is due, logs its outcome, and never changes the backup's outcome.
namespace PostBackupMaintenance {

/// The three steps in order; a cancellation skips the steps not yet started.
QCoro::Task<void> run(AppModel* model, Restic restic, std::stop_token stop);

QCoro::Task<void> applyRetention(AppModel* model, Restic restic, std::stop_token stop);
QCoro::Task<void> cleanUpCache(AppModel* model, Restic restic, std::stop_token stop);
QCoro::Task<void> checkIntegrity(AppModel* model, Restic restic, std::stop_token stop);

} // namespace PostBackupMaintenance

} // namespace keldoran
