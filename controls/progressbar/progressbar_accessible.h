#pragma once
// The progress bar as screen readers see it: a read-only value between Min and Max.

namespace kelvane::controls {

// Installs the progress bar's accessibility factory; later calls do nothing.
void InstallProgressBarAccessibility();

}  // namespace kelvane::controls
