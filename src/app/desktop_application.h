#pragma once

#include <functional>

namespace keldoran {

class DesktopShell;

/// The menu-bar application's process: a widget application, the launch sequence, the tray and the
/// windows, until the quit sequence ends it. `started`, when given, runs once the shell is up.
int runDesktopApplication(int argc, char** argv, const std::function<void(DesktopShell&)>& started = {});

} // namespace keldoran
