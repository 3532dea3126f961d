#include "controls/button/primitives.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "controls/button/style_traits.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"

namespace kelvane::controls {

namespace {

// Coordinate sums saturate: far beyond any surface the picture is the same, and nothing overflows.
std::int32_t at(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

gdi::Pen SolidPen(int width, gdi::ColorRef color) { return gdi::CreatePen(gdi::PS_SOLID, width, color); }

}  // namespace

void PaintRect(gdi::Dc& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               gdi::ColorRef color, bool framed) {
  const gdi::Rect r{x, y, at(std::int64_t{x} + width), at(std::int64_t{y} + height)};
  gdi::Brush brush = gdi::CreateSolidBrush(color);
  if (framed) {
    gdi::FrameRect(dc, r, brush);
  } else {
    gdi::FillRect(dc, r, brush);
  }
  gdi::DeleteObject(brush);
}

void PaintEllipse(gdi::Dc& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  gdi::ColorRef penColor, gdi::ColorRef brushColor) {
  const gdi::ScopedSelect<gdi::Brush> brush(dc, gdi::CreateSolidBrush(brushColor));
  const gdi::ScopedSelect<gdi::Pen> pen(dc, SolidPen(2, penColor));
  gdi::Ellipse(dc, x, y, at(std::int64_t{x} + width), at(std::int64_t{y} + height));
}

void PaintLine(gdi::Dc& dc, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
               gdi::ColorRef color) {
  const gdi::ScopedSelect<gdi::Pen> pen(dc, SolidPen(1, color));
  gdi::MoveToEx(dc, x1, y1);
  gdi::LineTo(dc, x2, y2);
}

void PaintFrame(gdi::Dc& dc, std::int32_t clientWidth, std::int32_t clientHeight, gdi::ColorRef color1,
                gdi::ColorRef color2, gdi::ColorRef color3, gdi::ColorRef color4, std::int16_t inset,
                bool singleRing) {
  const std::int64_t o = inset < 0 ? -std::int64_t{inset} : inset;
  const std::int64_t right = std::int64_t{clientWidth} - 1 + inset;
  const std::int64_t bottom = std::int64_t{clientHeight} - 1 + inset;
  // Each colour puts back the pen it found; the strokes are the same as with pens left selected.
  const auto stroke = [&](gdi::ColorRef color, std::int64_t xa, std::int64_t ya, std::int64_t xb,
                          std::int64_t yb) {
    const gdi::ScopedSelect<gdi::Pen> pen(dc, SolidPen(1, color));
    gdi::LineTo(dc, at(xa), at(ya));
    gdi::LineTo(dc, at(xb), at(yb));
  };
  // Left column upwards, then the top row.
  gdi::MoveToEx(dc, at(o), at(bottom));
  stroke(color1, o, o, right, o);
  // Right column downwards, then the bottom row back past column o so that it includes it.
  stroke(color2, right, bottom, o - 1, bottom);
  gdi::MoveToEx(dc, at(o + 1), at(bottom - 1));
  if (singleRing) return;
  stroke(color3, o + 1, o + 1, right - 1, o + 1);
  stroke(color4, right - 1, bottom - 1, o, bottom - 1);
}

void PaintPixel(gdi::Dc& dc, std::int32_t x, std::int32_t y, gdi::ColorRef color) {
  gdi::SetPixelV(dc, x, y, color);
}

gdi::Rect ComputeFocusRect(std::int32_t buttonType, std::int32_t clientWidth, std::int32_t clientHeight) {
  const StyleTraits& style = TraitsOf(buttonType);
  gdi::Rect r{0, 0, clientWidth, clientHeight};
  gdi::InflateRect(r, -style.FocusInset, -style.FocusInset);
  gdi::OffsetRect(r, style.FocusShift, style.FocusShift);
  return r;
}

void PaintFocusRect(gdi::Dc& dc, const gdi::Rect& focusRect, bool showFocusRect, bool hasFocus,
                    gdi::ColorRef textColor) {
  if (!showFocusRect || !hasFocus) return;
  gdi::SetTextColor(dc, textColor);
  gdi::DrawFocusRect(dc, focusRect);
}

}  // namespace kelvane::controls
