#pragma once

namespace kelvane::app {

// Makes the window's own control kinds ("chameleonButton", "Xp_ProgressBar") known to the layout loader.
void RegisterKelvaneControls();

}  // namespace kelvane::app
