#pragma once

#include "platform/instance_lock.h"
#include "platform/user_folders.h"

#include <optional>
#include <QCoreApplication>

namespace keldoran {

/// Where the running instances of this user meet: their locks and the tray application's socket.
namespace InstancePaths {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(InstancePaths)
};

inline QString appLock(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/app.lock");
}
inline QString agentLock(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/agent.lock");
}
/// Held for the whole of any repository operation that writes, by whichever front end runs it.
inline QString runLock(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/run.lock");
}
/// The local socket of the running tray application.
inline QString appSocket(const UserFolders& folders) {
    return InstanceLock::folder(folders.runtime) + QStringLiteral("/app.socket");
}
/// The sentence that refuses to go on when the folder where the instances meet is not this user's alone.
inline std::optional<QString> unsafeFolderProblem(const UserFolders& folders) {
    if (InstanceLock::isFolderPrivate(folders.runtime)) {
        return std::nullopt;
    }
    return Text::tr("Keldoran's private folder %1 is not safe to use: it must be a folder of yours that no "
                    "one else can open. Remove it, or set XDG_RUNTIME_DIR, and try again.")
        .arg(InstanceLock::folder(folders.runtime));
}
} // namespace InstancePaths

} // namespace keldoran
