#pragma once

#include "platform/instance_lock.h"
#include "platform/user_folders.h"

/// Where the running instances of this user meet: their locks and the tray application's socket.
namespace InstancePaths {
inline QString appLock(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/app.lock");
}
inline QString agentLock(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/agent.lock");
}
/// The local socket of the running tray application.
inline QString appSocket(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/app.socket");
}
} // namespace InstancePaths
