#include "control_setup.h"

#include <mutex>

#include "controls/button/button_accessible.h"
#include "controls/progressbar/progressbar_accessible.h"
#include "platform/host/access_keys.h"
#include "platform/host/host_accessible.h"

namespace Kelvane::detail {

void InstallControlServices() {
  static std::once_flag once;
  std::call_once(once, [] {
    kelvane::host::InstallHostAccessibility();
    kelvane::controls::InstallButtonAccessibility();
    kelvane::controls::InstallProgressBarAccessibility();
  });
  kelvane::host::EnsureAccessKeyFilter();
}

kelvane::host::AmbientProperties NewControlAmbient(QWidget& widget, QSize size) {
  widget.resize(size);
  kelvane::host::AmbientProperties a;
  a.font = kelvane::host::FontDesc::fromQFont(widget.font());
  a.userMode = true;
  return a;
}

}  // namespace Kelvane::detail
