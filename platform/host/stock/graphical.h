#pragma once
// Graphical controls paint on their container and let the mouse through to it.
#include <QWidget>

namespace kelvane::host::stock {

inline void MakeGraphical(QWidget& w) {
  w.setAttribute(Qt::WA_TransparentForMouseEvents);
  w.setFocusPolicy(Qt::NoFocus);
}

}  // namespace kelvane::host::stock
