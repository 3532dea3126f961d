#pragma once
// Graphical controls paint on their container and let the mouse through to it.
#include <QFont>
#include <QWidget>

#include "platform/gdi/objects.h"
#include "platform/host/font_desc.h"

namespace kelvane::host::stock {

inline void MakeGraphical(QWidget& w) {
  w.setAttribute(Qt::WA_TransparentForMouseEvents);
  w.setFocusPolicy(Qt::NoFocus);
}

// Text is drawn with the hinting of the controls' surfaces: a label, a frame and a button caption
// in the same font then share one font engine, which start-up would otherwise load twice.
inline QFont DrawnFont(const FontDesc& font) { return gdi::SurfaceFont(font.toQFont()); }

}  // namespace kelvane::host::stock
