#include "platform/host/layout/control_kinds.h"

#include <map>

namespace kelvane::host::layout {

namespace {

std::map<QString, ControlFactory>& Registry() {
  static std::map<QString, ControlFactory> kinds;
  return kinds;
}

}  // namespace

void registerControlKind(const QString& name, ControlFactory factory) {
  Registry()[name.toLower()] = std::move(factory);
}

void unregisterControlKind(const QString& name) { Registry().erase(name.toLower()); }

ControlFactory controlKind(const QString& name) {
  const auto it = Registry().find(name.toLower());
  return it == Registry().end() ? ControlFactory{} : it->second;
}

}  // namespace kelvane::host::layout
