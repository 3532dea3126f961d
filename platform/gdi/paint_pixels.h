#pragma once
// The painters behind the drawing primitives, over a plain pixel view: no image type, no window
// system, so the pixel rules can be kept and tested on their own. Every one clips to the canvas.
#include <cstdint>

#include "platform/gdi/pen_brush.h"
#include "platform/gdi/pixel_view.h"

namespace kelvane::gdi {

// [x0, x1] × [y0, y1], inclusive.
void FillPixels(const Canvas& c, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                Argb rgb);
// Columns left and right − 1, rows top and bottom − 1.
void PaintFrameRect(const Canvas& c, const Rect& r, Argb rgb);
// From `from` up to, not including, `to`.
void PaintLine(const Canvas& c, Point from, Point to, const Pen& pen);
// Corners in any order; outline with the pen, interior with the brush.
void PaintRectangle(const Canvas& c, const Rect& corners, const Brush& brush, const Pen& pen);
// Filled with the brush, then outlined with the pen; boxes 2 pixels or smaller in a dimension are
// rectangles.
void PaintEllipse(const Canvas& c, const Rect& corners, const Brush& brush, const Pen& pen);
// Inverts the border pixels with x + y odd.
void PaintFocusRect(const Canvas& c, const Rect& r);

}  // namespace kelvane::gdi
