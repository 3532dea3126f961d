#pragma once
// What screen readers hear of a stock control's changes.
#include <QAccessible>
#include <QWidget>

#include "platform/host/host_accessible.h"

namespace kelvane::host::stock {

// A caption is a control's name to screen readers. The refresh timer rewrites captions ten times a
// second, so nothing is built while no reader listens.
inline void TellReadersOfName(QWidget& w) {
  if (!ReadersHearOf(w)) return;
  QAccessibleEvent changed(&w, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace kelvane::host::stock
