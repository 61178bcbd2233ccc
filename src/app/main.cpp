#include "agent_runner.h"
#include "log.h"
#include "menu_bar_app.h"
#include "platform/desktop_workspace.h"
#include "ui/desktop_shell.h"
#include "ui/keldoran_mark.h"

#include <QApplication>
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

int runMenuBarApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setDesktopFileName(QStringLiteral("app.keldoran.Keldoran"));
    QApplication::setWindowIcon(
        KeldoranMark::icon(KeldoranMark::shapeOf(KeldoranMark::State::closed), 0, QColor(0x2f, 0x6f, 0xd6)));
    LivePlatform live;
    MenuBarApp app(live.platform());
    if (!app.launch()) {
        return 0;
    }
    DesktopWorkspace workspace;
    DesktopShell shell(app, workspace);
    shell.start();
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    // Exactly "1": "01", "true" or an empty value start the tray application.
    if (qgetenv("KELDORAN_AGENT") == "1") {
        return runAgent(argc, argv);
    }
    return runMenuBarApplication(argc, argv);
}
