#pragma once
// The user-control kinds a layout may name, each with the factory that makes one.
#include <QString>
#include <functional>

#include "platform/host/control.h"

namespace kelvane::host::layout {

// Makes the widget of a control (one that owns a host::Control) as a child of `container`, which
// owns it; the layout loader then loads the control's stored properties.
using ControlFactory = std::function<QWidget*(QWidget* container)>;

// Registers (or replaces) the kind `name`, e.g. "chameleonButton". Names compare without case.
void registerControlKind(const QString& name, ControlFactory factory);
void unregisterControlKind(const QString& name);
// The factory for `name`, or an empty function when none is registered.
ControlFactory controlKind(const QString& name);

}  // namespace kelvane::host::layout
