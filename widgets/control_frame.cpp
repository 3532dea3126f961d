#include "control_frame.h"

#include <mutex>

#include "controls/button/button_accessible.h"
#include "controls/progressbar/progressbar_accessible.h"
#include "platform/host/access_keys.h"
#include "platform/host/host_accessible.h"
#include "platform/host/window_system.h"

namespace Kelvane::detail {

namespace {
void InstallAccessibilityOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    kelvane::host::InstallHostAccessibility();
    kelvane::controls::InstallButtonAccessibility();
    kelvane::controls::InstallProgressBarAccessibility();
  });
}
}  // namespace

kelvane::host::AmbientProperties AmbientOf(const QWidget& frame, bool userMode) {
  kelvane::host::AmbientProperties a;
  a.font = kelvane::host::FontDesc::fromQFont(frame.font());
  a.userMode = userMode;
  return a;
}

void AdoptControl(QWidget& frame, kelvane::host::Control& control) {
  InstallAccessibilityOnce();
  kelvane::host::EnsureAccessKeyFilter();
  frame.setProperty(kelvane::host::kCarrierProperty, true);
  frame.setFocusPolicy(control.focusPolicy());
  frame.setFocusProxy(&control);
  control.hostCreateNew(AmbientOf(frame, true));
  control.setGeometry(frame.rect());
}

void ReleaseControl(kelvane::host::Control& control) { control.hostTerminate(); }

}  // namespace Kelvane::detail
