#include "platform/gdi/draw.h"

#include "platform/gdi/paint_pixels.h"

namespace kelvane::gdi {

int FillRect(Dc& dc, const Rect& r, const Brush& brush) {
  if (IsRectEmpty(r) || brush.isNull()) return 0;
  FillPixels(dc.canvas(), r.left, r.top, r.right - 1LL, r.bottom - 1LL, toQRgb(brush.color()));
  return 1;
}

int FrameRect(Dc& dc, const Rect& r, const Brush& brush) {
  if (IsRectEmpty(r) || brush.isNull()) return 0;
  PaintFrameRect(dc.canvas(), r, toQRgb(brush.color()));
  return 1;
}

bool LineTo(Dc& dc, std::int32_t x, std::int32_t y) {
  const Point from = dc.position();
  dc.setPosition({x, y});
  if (!dc.pen().isNull()) PaintLine(dc.canvas(), from, {x, y}, dc.pen());
  return true;
}

bool Rectangle(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  PaintRectangle(dc.canvas(), {left, top, right, bottom}, dc.brush(), dc.pen());
  return true;
}

bool Ellipse(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  PaintEllipse(dc.canvas(), {left, top, right, bottom}, dc.brush(), dc.pen());
  return true;
}

bool DrawFocusRect(Dc& dc, const Rect& r) {
  PaintFocusRect(dc.canvas(), r);
  return true;
}

}  // namespace kelvane::gdi
