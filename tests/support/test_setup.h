#pragma once

namespace keldoran {

/// What every test process does before its tests run: private XDG folders (nothing of the developer's
/// own is ever touched), a quiet system log, offscreen rendering, and one locale for formats whatever the
/// machine's.
/// Call before creating the application object; the folders live until the process ends.
/// Processes orphaned below this one are adopted by it, so that endTestProcess can find them.
void prepareTestProcess();

/// Every process a test starts is ended by it: waits a few seconds for processes still below this one
/// to end, then names, kills and fails for each that has not. Answers the process's exit status.
int endTestProcess(int status);

} // namespace keldoran
