// The transparent style's background: the container's pixels behind the button, captured into a
// memory surface while the button is out of the way, and the show, hide and terminate handlers that
// own that surface.
#include <QPointer>

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
bool chameleonButton::CaptureParentBackground(bool runPendingEvents) {
  IsCapturing = true;
  const int w = widget().width(), h = widget().height();
  // With no height the button is not drawn, so the container's next rendering is what lies behind it.
  widget().resize(w, 0);
  if (runPendingEvents) {
    // Any handler may delete the button meanwhile.
    const QPointer<chameleonButton> alive(this);
    host::services().RunPendingEvents();
    if (!alive) return false;
  }
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
  return true;
}

// Qt tells every widget of a new palette or style one by one, so the container may not wear it yet:
// the capture waits for the event loop, once for any number of changes, and is dropped with the button.
void chameleonButton::CaptureParentBackgroundSoon() {
  if (CapturePending) return;
  CapturePending = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        CapturePending = false;
        if (!TraitsOf(Stored.ButtonType).Transparent || !BackgroundDC || !RefreshOn || !widget().isVisible())
          return;
        if (CaptureParentBackground()) PaintButton(LastState, true);
      },
      Qt::QueuedConnection);
}

void chameleonButton::OnShow() {
  if (TraitsOf(Stored.ButtonType).Transparent) {
    if (!BackgroundDC) CreateBackgroundSurface();
    // Not from inside Qt's show: a handler run from here could delete the widget Qt is showing. The
    // container is rendered afresh for the copy, so the pending events would add nothing to it.
    static_cast<void>(CaptureParentBackground(false));
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
