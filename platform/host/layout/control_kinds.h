#pragma once
// The user-control kinds a layout may name, each with the factory that makes one.
#include <QString>
#include <functional>
#include <memory>

#include "platform/host/control.h"

namespace kelvane::host::layout {

// Makes a control as a child of `container`; the layout loader then loads its stored properties.
using ControlFactory = std::function<std::unique_ptr<host::Control>(QWidget* container)>;

// Registers (or replaces) the kind `name`, e.g. "chameleonButton". Names compare without case.
void registerControlKind(const QString& name, ControlFactory factory);
void unregisterControlKind(const QString& name);
// The factory for `name`, or an empty function when none is registered.
ControlFactory controlKind(const QString& name);

}  // namespace kelvane::host::layout
