#include "user_folders.h"

#include <QDir>

namespace keldoran {

namespace {
// An XDG variable counts only when it holds an absolute path.
QString folder(const QProcessEnvironment& environment, const char* variable, const QString& fallback) {
    const auto value = environment.value(QString::fromLatin1(variable));
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}
} // namespace

UserFolders UserFolders::fromEnvironment(const QProcessEnvironment& environment) {
    const auto homeValue = environment.value(QStringLiteral("HOME"));
    const auto home = QDir::cleanPath(homeValue.isEmpty() ? QDir::homePath() : homeValue);
    return UserFolders{
        home,
        folder(environment, "XDG_STATE_HOME", home + QStringLiteral("/.local/state")),
        folder(environment, "XDG_CACHE_HOME", home + QStringLiteral("/.cache")),
        folder(environment, "XDG_CONFIG_HOME", home + QStringLiteral("/.config")),
        folder(environment, "XDG_RUNTIME_DIR", QString()),
    };
}

UserFolders UserFolders::live() {
    return fromEnvironment(QProcessEnvironment::systemEnvironment());
}

} // namespace keldoran
