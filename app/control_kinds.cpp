#include "app/control_kinds.h"

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>

#include "controls/accessibility.h"
#include "platform/host/layout/control_kinds.h"

namespace kelvane::app {

void RegisterKelvaneControls() {
  using host::layout::registerControlKind;
  controls::InstallAccessibility();
  registerControlKind("chameleonButton",
                      [](QWidget* container) -> QWidget* { return new Kelvane::chameleonButton(container); });
  registerControlKind("Xp_ProgressBar",
                      [](QWidget* container) -> QWidget* { return new Kelvane::Xp_ProgressBar(container); });
}

}  // namespace kelvane::app
