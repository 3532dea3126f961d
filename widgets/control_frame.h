#pragma once
// What both public widgets do with the control they wrap: it fills the widget, takes its focus,
// and is created and ended as the host would create and end a control.
#include <QWidget>

#include "platform/host/control.h"

namespace Kelvane::detail {

// The ambient properties a control made by code sees: the widget's font, a running program.
kelvane::host::AmbientProperties AmbientOf(const QWidget& frame, bool userMode);

// Sets up `control` (a new child of `frame`) as a new instance filling `frame`.
void AdoptControl(QWidget& frame, kelvane::host::Control& control);

// Ends the control before the frame's children are deleted, as closing a window would.
void ReleaseControl(kelvane::host::Control& control);

}  // namespace Kelvane::detail
