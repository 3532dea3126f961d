#include "app/control_kinds.h"

#include <memory>

#include "controls/button/button_accessible.h"
#include "controls/button/chameleon_button.h"
#include "controls/progressbar/progressbar_accessible.h"
#include "controls/progressbar/xp_progressbar.h"
#include "platform/host/host_accessible.h"
#include "platform/host/layout/control_kinds.h"

namespace kelvane::app {

void RegisterKelvaneControls() {
  using host::layout::registerControlKind;
  host::InstallHostAccessibility();
  controls::InstallButtonAccessibility();
  controls::InstallProgressBarAccessibility();
  registerControlKind("chameleonButton", [](QWidget* container) -> std::unique_ptr<host::Control> {
    return std::make_unique<controls::chameleonButton>(container);
  });
  registerControlKind("Xp_ProgressBar", [](QWidget* container) -> std::unique_ptr<host::Control> {
    return std::make_unique<controls::Xp_ProgressBar>(container);
  });
}

}  // namespace kelvane::app
