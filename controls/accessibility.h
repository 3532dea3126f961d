#pragma once
// Screen readers' view of the host's window, its stock controls and both controls.

namespace kelvane::controls {

// Installs every accessibility factory, once; later calls do nothing.
void InstallAccessibility();

}  // namespace kelvane::controls
