#include "commands.h"
#include "logging/log.h"
#include "platform/system_log.h"
#include "presentation/translations.h"

#include <QCoreApplication>
#include <QTimer>

using namespace keldoran;

namespace {
QCoro::Task<void> runThenQuit(Platform* platform, QStringList arguments, int* status) {
    *status = co_await Commands::run(platform, std::move(arguments));
    QCoreApplication::quit();
}
} // namespace

// keldoranctl: Keldoran's commands for terminals and scripts, sharing settings, secrets and log with the
// tray application.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const InstalledTranslations translations;
    // Standard error belongs to the user here: log lines go to the file and, when one runs, the journal.
    Log::setSystemLog(SystemLog::journalOnly());
    LivePlatform live;
    int status = 2;
    QTimer::singleShot(0, &application,
                       [&] { runThenQuit(&live.platform(), application.arguments().mid(1), &status); });
    application.exec();
    return status;
}
