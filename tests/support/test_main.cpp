#include "app/log.h"
#include "platform/system_log.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Log lines still reach the log file, which tests read; the system log stays quiet.
class QuietSystemLog : public SystemLog {
public:
    void write(Level, const QString&, const QString&) override {}
};
} // namespace

// Every test runs with a Qt event loop and with private XDG folders, so nothing of the developer's own
// (logs, settings, caches, runtime files) is ever touched.
int main(int argc, char** argv) {
    QTemporaryDir folders;
    for (const char* variable : {"XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        qputenv(variable, (folders.path() + QLatin1Char('/') + QLatin1String(variable)).toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", folders.path().toUtf8());
    }
    Log::setSystemLog(std::make_unique<QuietSystemLog>());
    QCoreApplication application(argc, argv);
    // Formats are checked in one locale, whatever the machine's.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
