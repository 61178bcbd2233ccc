#include "agent_runner.h"
#include "build_info.h"
#include "desktop_application.h"
#include "diagnostics.h"
#include "fatal_signal_handler.h"
#include "logging/log.h"
#include "platform/instance_paths.h"
#include "platform/user_folders.h"
#include "presentation/translations.h"

#include <cstdio>
#include <QCoreApplication>
#include <QTimer>

using namespace keldoran;

namespace {

QCoro::Task<void> runAgentTick(AgentRunner* agent) {
    try {
        co_await agent->run();
    } catch (const std::exception& error) {
        Log::lifecycle().error(QStringLiteral("agent tick ended unexpectedly: ") +
                               QString::fromUtf8(error.what()));
    }
    QCoreApplication::quit();
}

// The background agent: one tick on a core application (no display needed), then exit status 0.
int runAgent(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const InstalledTranslations translations;
    LivePlatform live;
    AgentRunner agent(live.platform());
    QTimer::singleShot(0, &application, [&agent] { runAgentTick(&agent); });
    application.exec();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A crash of either mode leaves a report for the next launch of the tray application.
    FatalSignalHandler::install(Diagnostics::pendingFolder(UserFolders::live().logs()),
                                QStringLiteral("%1 (%2)").arg(QLatin1String(BuildInfo::version),
                                                              QLatin1String(BuildInfo::buildNumber)));
    if (const auto found = InstancePaths::unsafeFolderProblem(UserFolders::live())) {
        // Asked again with the user's language installed.
        QCoreApplication application(argc, argv);
        const InstalledTranslations translations;
        const auto problem = InstancePaths::unsafeFolderProblem(UserFolders::live()).value_or(*found);
        Log::lifecycle().error(problem);
        std::fputs((problem + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 1;
    }
    // Exactly "1": "01", "true" or an empty value start the tray application.
    if (qgetenv("KELDORAN_AGENT") == "1") {
        return runAgent(argc, argv);
    }
    return runDesktopApplication(argc, argv);
}
