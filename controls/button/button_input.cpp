// The button towards the user: mouse, hover, keys, focus and the access key, and the events each
// raises to the container. Every event's arguments may be changed by the container's handler; the
// button acts on the changed values. A handler may also destroy the button, so every raise that is
// followed by more work checks that the button survived.
#include <QPointer>
#include <utility>

#include "controls/button/chameleon_button.h"
#include "platform/host/key_codes.h"
#include "platform/host/services.h"
#include "platform/host/window_system.h"

namespace kelvane::controls {
namespace {

constexpr int kNoButton = 0;

}  // namespace

void chameleonButton::SetUpOverTimer() {
  host::WatchPointer();
  OverTimer.setInterval(kOverTimerIntervalMs);
  OverTimer.setEnabled(false);
  connect(&OverTimer, &host::stock::Timer::Tick, this, &chameleonButton::OnOverTimerTick);
}

bool chameleonButton::IsCursorOverButton() const {
  gdi::Point at;
  if (!host::GetCursorPos(at)) return false;
  if (at == CursorAtReport) return host::WindowFromPointIn(widget().window(), ReportedAt) == &widget();
  return host::WindowFromPoint(at) == &widget();
}

// A move tells where the pointer is, whatever the cursor says: a synthetic move (QTest) leaves the
// cursor where it was, and a Wayland client learns the cursor only over its own surfaces. The
// window told of it is the one there; what lies there in it decides, so a covering child or a
// cut-away corner is not the button.
bool chameleonButton::IsReportOverButton(QPointF local) {
  const QPoint global = widget().mapToGlobal(local.toPoint());
  ReportedAt = {global.x(), global.y()};
  if (!host::GetCursorPos(CursorAtReport)) CursorAtReport = {};
  return host::WindowFromPointIn(widget().window(), ReportedAt) == &widget();
}

// ---- mouse -----------------------------------------------------------------------------------------

void chameleonButton::OnMouseDown(int button, int shift, float x, float y) {
  auto b = static_cast<std::int16_t>(button);
  auto s = static_cast<std::int16_t>(shift);
  if (!MouseDown.raise(b, s, x, y)) return;
  LastMouseButton = static_cast<std::uint8_t>(b);
  if (b != host::kRightButton) PaintButton(kStateDown, false);
}

void chameleonButton::OnMouseMove(int button, int shift, float x, float y) {
  auto b = static_cast<std::int16_t>(button);
  auto s = static_cast<std::int16_t>(shift);
  const QPointF reported(x, y);  // the button measures in pixels; a handler may change x and y
  if (!MouseMove.raise(b, s, x, y)) return;
  if (b >= host::kRightButton) return;
  if (!IsReportOverButton(reported)) {
    // Leaving is for the timer or Qt's Leave to notice; only the look follows the pointer out.
    PaintButton(kStateUp, false);
    return;
  }
  LeavePending = false;  // back over the button since Qt said it left
  if (b == kNoButton && !IsOver) {
    RunOverTimer(true);
    IsOver = true;
    PaintButton(kStateUp, true);
    MouseOver.raise();
  } else if (b == host::kLeftButton) {
    // Pressed inside: the down look with its hover colours, then not "over" any more, so the next
    // plain move raises MouseOver again.
    IsOver = true;
    PaintButton(kStateDown, false);
    IsOver = false;
  }
}

void chameleonButton::RunOverTimer(bool on) {
  OverTimerAsleep = false;
  OverTimer.setEnabled(on);
}

// A tick that finds the cursor still over the button changes nothing. While the window system
// reports every move of the pointer (it rests in our window, no button held), only such a report
// can change that answer, so the timer sleeps until the next one instead of waking 333 times a
// second.
void chameleonButton::OnOverTimerTick() {
  if (IsCursorOverButton()) {
    if (host::PointerSettled()) {
      OverTimer.setEnabled(false);
      OverTimerAsleep = true;
      host::WakeOnPointerChange(this, [this] {
        if (OverTimerAsleep) RunOverTimer(true);
      });
    }
    return;
  }
  EndHover();
}

void chameleonButton::EndHover() {
  RunOverTimer(false);
  IsOver = false;
  PaintButton(kStateUp, true);
  MouseOut.raise();
}

// Qt's word that the pointer left ends the hover at once, as the timer would on finding it gone. It
// is the only word where the cursor's place is unknown, as on Wayland outside our windows.
// Qt is still telling the widgets it leaves when this runs, and a MouseOut handler may delete one of
// them (the button's window, say), so the hover ends from the event loop, unless a move came first.
void chameleonButton::leaveEvent(QEvent* e) {
  host::Control::leaveEvent(e);
  LeavePending = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (std::exchange(LeavePending, false) && (OverTimer.Enabled() || OverTimerAsleep)) EndHover();
      },
      Qt::QueuedConnection);
}

void chameleonButton::OnMouseUp(int button, int shift, float x, float y) {
  auto b = static_cast<std::int16_t>(button);
  auto s = static_cast<std::int16_t>(shift);
  if (!MouseUp.raise(b, s, x, y)) return;
  // The capture taken by a double click ends with the button's release; held for longer it would
  // keep every later click in the window from reaching anything else.
  if (host::GetCapture() == &widget()) host::ReleaseCapture();
  if (b != host::kRightButton) PaintButton(kStateUp, false);
}

void chameleonButton::OnClick() {
  if (LastMouseButton != host::kLeftButton || !Enabled()) return;
  if (Stored.CheckBoxBehaviour) Stored.Value = !Stored.Value;
  PaintButton(kStateUp, true);
  RefreshNow();
  Click.raise();
}

void chameleonButton::OnDblClick() {
  if (LastMouseButton != host::kLeftButton) return;
  QPointer<chameleonButton> guard(this);
  OnMouseDown(host::kLeftButton, 0, 0, 0);
  if (guard) host::SetCapture(&widget());
}

void chameleonButton::OnAccessKeyPress(int /*keyAscii*/) {
  LastMouseButton = host::kLeftButton;
  OnClick();
}

void chameleonButton::PerformClick() {
  if (!widget().isEnabled()) return;
  LastMouseButton = host::kLeftButton;
  OnClick();
}

// ---- keys and focus --------------------------------------------------------------------------------

void chameleonButton::OnKeyDown(int& keyCode, int shift) {
  auto k = static_cast<std::int16_t>(keyCode);
  auto s = static_cast<std::int16_t>(shift);
  if (!KeyDown.raise(k, s)) return;
  keyCode = k;
  LastKeyCode = static_cast<std::uint8_t>(k);
  switch (k) {
    case host::kVkSpace: PaintButton(kStateDown, false); break;
    // Right to left, the previous control lies to the right.
    case host::kVkLeft:
    case host::kVkRight: {
      const bool next = (k == host::kVkRight) != (widget().layoutDirection() == Qt::RightToLeft);
      host::services().SendKeys(next ? QStringLiteral("{Tab}") : QStringLiteral("+{Tab}"));
      break;
    }
    case host::kVkUp: host::services().SendKeys(QStringLiteral("+{Tab}")); break;
    case host::kVkDown: host::services().SendKeys(QStringLiteral("{Tab}")); break;
    default: break;
  }
}

// Space presses and the arrows move the focus; every other key, Enter and Escape included, is the
// container's, so a dialog closes or presses its default button as with a QPushButton.
bool chameleonButton::UsesKey(int keyCode) const {
  switch (keyCode) {
    case host::kVkSpace:
    case host::kVkLeft:
    case host::kVkUp:
    case host::kVkRight:
    case host::kVkDown: return true;
    default: return false;
  }
}

void chameleonButton::OnKeyPress(int& keyAscii) {
  auto k = static_cast<std::int16_t>(keyAscii);
  if (KeyPress.raise(k)) keyAscii = k;
}

void chameleonButton::OnKeyUp(int& keyCode, int shift) {
  auto k = static_cast<std::int16_t>(keyCode);
  auto s = static_cast<std::int16_t>(shift);
  if (!KeyUp.raise(k, s)) return;
  keyCode = k;
  if (LastKeyCode != host::kVkSpace || k != host::kVkSpace) return;
  if (Stored.CheckBoxBehaviour) Stored.Value = !Stored.Value;
  PaintButton(kStateUp, false);
  RefreshNow();
  Click.raise();
}

void chameleonButton::OnGotFocus() {
  HasFocus = true;
  PaintButton(LastState, true);
}

void chameleonButton::OnLostFocus() {
  HasFocus = false;
  PaintButton(LastState, true);
}

}  // namespace kelvane::controls
