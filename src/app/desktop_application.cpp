#include "desktop_application.h"

#include "app/menu_bar_app.h"
#include "desktop_shell.h"
#include "platform/desktop/desktop_workspace.h"
#include "presentation/translations.h"
#include "widgets/focus_ring_style.h"
#include "widgets/keldoran_mark.h"

#include <cstdio>
#include <QApplication>
#include <QCoreApplication>

namespace keldoran {

namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(DesktopApplication)
};
} // namespace

int runDesktopApplication(int argc, char** argv, const std::function<void(DesktopShell&)>& started) {
    // Without a display Qt would abort with a message about its platform plugin.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // A core application is enough to say so in the user's language.
        QCoreApplication application(argc, argv);
        const InstalledTranslations translations;
        const auto problem =
            Text::tr("Keldoran needs a desktop session to show its tray icon and windows. "
                     "Without one, use keldoranctl; scheduled backups run from the background "
                     "agent.");
        std::fputs((problem + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 1;
    }
    QApplication application(argc, argv);
    const InstalledTranslations translations;
    QApplication::setStyle(new FocusRingStyle);
    // Closing the last window leaves Keldoran running in the tray; only the quit sequence ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setDesktopFileName(QStringLiteral("app.keldoran.Keldoran"));
    QApplication::setWindowIcon(
        KeldoranMark::icon(KeldoranMark::shapeOf(KeldoranMark::State::closed), 0, QColor(0x1f, 0x4f, 0x9c)));
    LivePlatform live;
    MenuBarApp app(live.platform());
    if (!app.launch()) {
        return 0;
    }
    DesktopWorkspace workspace;
    DesktopShell shell(app, workspace);
    shell.start();
    if (started) {
        started(shell);
    }
    return application.exec();
}

} // namespace keldoran
