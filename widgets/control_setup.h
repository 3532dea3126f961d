#pragma once
// What both public widgets do before their control starts: the services a control relies on, and
// the ambient properties a control made by code sees.
#include <QSize>
#include <QWidget>

#include "platform/host/control.h"

namespace Kelvane::detail {

// Installs the accessibility factories and the access-key filter, once.
void InstallControlServices();

// Gives `widget` its first size and returns the ambient properties of a new control on it: the
// widget's font (its container's, until the control sets its own), a running program.
kelvane::host::AmbientProperties NewControlAmbient(QWidget& widget, QSize size);

}  // namespace Kelvane::detail
