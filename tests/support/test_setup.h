#pragma once

/// What every test process does before its tests run: private XDG folders (nothing of the developer's
/// own is ever touched), a quiet system log, offscreen rendering, and one locale for formats whatever the
/// machine's.
/// Call before creating the application object; the folders live until the process ends.
void prepareTestProcess();
