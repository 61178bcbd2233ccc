#include "test_setup.h"

#include "app/log.h"
#include "platform/system_log.h"

#include <QLocale>
#include <QTemporaryDir>

namespace {
// Log lines still reach the log file, which tests read; the system log stays quiet.
class QuietSystemLog : public SystemLog {
public:
    void write(Level, const QString&, const QString&) override {}
};
} // namespace

void prepareTestProcess() {
    static QTemporaryDir folders;
    for (const char* variable : {"XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        qputenv(variable, (folders.path() + QLatin1Char('/') + QLatin1String(variable)).toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", folders.path().toUtf8());
    }
    // Widgets, and a keldoran started by a test, render offscreen: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Log::setSystemLog(std::make_unique<QuietSystemLog>());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}
