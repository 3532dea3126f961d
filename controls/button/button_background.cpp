// The transparent style's background: the container's pixels behind the button, captured into a
// memory surface while the button is out of the way, and the show, hide and terminate handlers that
// own that surface.
#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"
#include "platform/gdi/bits.h"
#include "platform/host/services.h"
#include "platform/host/window_system.h"

namespace kelvane::controls {

void chameleonButton::CreateBackgroundSurface() {
  gdi::Dc own(surface());
  BackgroundDC = gdi::CreateCompatibleDC(own);
  BackgroundBitmap = gdi::CreateCompatibleBitmap(own, widget().width(), widget().height());
  BackgroundSavedBitmap = gdi::SelectObject(*BackgroundDC, BackgroundBitmap);
}

// Every step goes on whatever the last one did: a missing container or surface just copies nothing.
void chameleonButton::CaptureParentBackground() {
  IsCapturing = true;
  const int w = widget().width(), h = widget().height();
  // With no height the button is not drawn, so the container's next rendering is what lies behind it.
  widget().resize(w, 0);
  host::services().RunPendingEvents();
  if (QWidget* container = host::GetParent(&widget()); container && BackgroundDC) {
    gdi::Dc containerDc = host::GetDC(container);
    // The button's place in the container, in the container context's pixels (the extender gives
    // the same place in twips).
    const QPoint at = host::PositionInParent(&widget());
    gdi::BitBlt(*BackgroundDC, 0, 0, w, h, containerDc, at.x(), at.y(), gdi::SRCCOPY);
    host::ReleaseDC(container, std::move(containerDc));
  }
  // Only the height is ours to give back; a width changed meanwhile stays.
  widget().resize(widget().width(), h);
  IsCapturing = false;
}

void chameleonButton::OnShow() {
  if (TraitsOf(Stored.ButtonType).Transparent) {
    if (!BackgroundDC) CreateBackgroundSurface();
    CaptureParentBackground();
  }
  RefreshOn = true;
  ComputeSchemeColors();
  PaintButton(kStateUp, true);
}

void chameleonButton::OnHide() { RefreshOn = false; }

// The window region stays with the window, which releases it.
void chameleonButton::Terminate() {
  RefreshOn = false;
  if (!BackgroundDC) return;
  gdi::SelectObject(*BackgroundDC, BackgroundSavedBitmap);
  gdi::DeleteObject(BackgroundBitmap);
  gdi::DeleteDC(std::move(*BackgroundDC));
  BackgroundDC.reset();
}

}  // namespace kelvane::controls
