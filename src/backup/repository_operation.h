#pragma once

#include <QString>

namespace keldoran {

/// A unit of repository work on the operation chain; its raw value is the word of the queue's log lines.
enum class RepositoryOperation { backup, restore, check };

QString rawValue(RepositoryOperation operation);

} // namespace keldoran
