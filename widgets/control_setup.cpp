#include "control_setup.h"

#include <mutex>

#include "controls/accessibility.h"
#include "platform/host/access_keys.h"

namespace Kelvane::detail {

void InstallControlServices() {
  static std::once_flag once;
  std::call_once(once, [] { kelvane::controls::InstallAccessibility(); });
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
