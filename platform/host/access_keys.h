#pragma once
// A control's access key is a Qt shortcut of its widget, Alt + the key, live while the widget is
// visible and enabled in the active window. Qt's shortcut map decides among every holder of the
// key in that window, stock buttons, labels and actions included: held alone, the key presses the
// control and the focus stays where it was; shared, each press moves the focus to the next holder
// and presses none.
#include <QString>

namespace kelvane::host {

class Control;

// Installs, once per application object, the filter that takes Alt + a key sent to a window that
// is not active (see access_keys.cpp).
void EnsureAccessKeyFilter();
// Replaces the control's access-key shortcuts with one for each character of `keys` (none for an
// empty string).
void GrabAccessKeys(Control& control, const QString& keys);

}  // namespace kelvane::host
