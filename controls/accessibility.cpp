#include "controls/accessibility.h"

#include <QAccessible>

#include "controls/button/button_accessible.h"
#include "controls/progressbar/progressbar_accessible.h"
#include "platform/host/host_accessible.h"

namespace kelvane::controls {

void InstallAccessibility() {
  static const bool installed = [] {
    for (QAccessible::InterfaceFactory factory :
         {host::HostAccessibleFactory, ButtonAccessibleFactory, ProgressBarAccessibleFactory})
      QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
}

}  // namespace kelvane::controls
