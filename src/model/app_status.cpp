#include "app_status.h"

namespace keldoran {

QString AppStatus::caseName() const {
    switch (kind) {
    case Kind::protectedWithWarnings:
        return QStringLiteral("protectedWithWarnings");
    case Kind::backingUp:
        return QStringLiteral("backingUp");
    case Kind::error:
        return QStringLiteral("error");
    case Kind::needsSetup:
        return QStringLiteral("needsSetup");
    case Kind::credentialsUnavailable:
        return QStringLiteral("credentialsUnavailable");
    case Kind::fullDiskAccessRequired:
        return QStringLiteral("fullDiskAccessRequired");
    case Kind::protected_:
        return QStringLiteral("protected");
    case Kind::paused:
        return QStringLiteral("paused");
    case Kind::offline:
        break;
    }
    return QStringLiteral("offline");
}

} // namespace keldoran
