#pragma once
// The drawing primitives. Every one clips to the target and paints nothing for an empty rectangle.
#include "platform/gdi/dc.h"

namespace kelvane::gdi {

// [left, right) × [top, bottom) in the brush's colour; the context's own brush is not used.
int FillRect(Dc& dc, const Rect& r, const Brush& brush);
// Columns left and right − 1, rows top and bottom − 1, one pixel wide.
int FrameRect(Dc& dc, const Rect& r, const Brush& brush);
// From the current position up to, not including, (x, y) with the selected pen; (x, y) becomes
// the current position.
bool LineTo(Dc& dc, std::int32_t x, std::int32_t y);
// Outline on the box's border pixels with the pen, interior with the brush. Corners in any order.
bool Rectangle(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// The ellipse inscribed in the box: filled with the brush, then outlined with the pen. Corners in
// any order; boxes 2 pixels or smaller in a dimension draw as Rectangle.
bool Ellipse(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// Inverts every other pixel of the rectangle's border (those with x + y odd), so calling it twice
// restores the surface.
bool DrawFocusRect(Dc& dc, const Rect& r);

}  // namespace kelvane::gdi
