#include "agent_runner.h"
#include "log.h"
#include "ui/desktop_application.h"

#include <QCoreApplication>
#include <QTimer>

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
    LivePlatform live;
    AgentRunner agent(live.platform());
    QTimer::singleShot(0, &application, [&agent] { runAgentTick(&agent); });
    application.exec();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Exactly "1": "01", "true" or an empty value start the tray application.
    if (qgetenv("KELDORAN_AGENT") == "1") {
        return runAgent(argc, argv);
    }
    return runDesktopApplication(argc, argv);
}
