#pragma once

namespace keldoran {

/// Hands memory the process has freed back to the system. A tray application idles for days after a
/// burst of work (a refresh, a window); without this the allocator keeps those pages resident.
void returnFreedMemory();

} // namespace keldoran
