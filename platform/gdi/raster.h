#pragma once
// Pure rasterising rules: which pixels a line or an ellipse covers. No images here, so the rules
// can be tested and reused (the elliptic region is the ellipse's painted pixel set).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi/rect.h"

namespace kelvane::gdi {

// One row of pixels, x0..x1 inclusive.
struct Span {
  std::int64_t y = 0;
  std::int64_t x0 = 0;
  std::int64_t x1 = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// The pixel rows a major-axis walk may touch, clipped to [lo, hi], as step indices [first, last].
struct StepRange {
  std::int64_t first = 0;
  std::int64_t last = -1;
};
StepRange ClipSteps(std::int64_t start, int direction, std::int64_t steps, std::int64_t lo, std::int64_t hi);

// Offset along the minor axis after `step` steps along the major one: Bresenham's nearest pixel.
// A tie (exactly half way) moves toward the end only when `tieMoves`.
std::int64_t MinorOffset(std::int64_t step, std::int64_t major, std::int64_t minor, bool tieMoves);

// The bias that makes a line and its reverse light the same pixels: a tie moves on the minor axis only in
// octants 3, 5, 6 and 8 (clockwise from +x, y down).
constexpr bool TieMoves(std::int64_t dx, std::int64_t dy) {
  const std::int64_t ax = dx < 0 ? -dx : dx;
  const std::int64_t ay = dy < 0 ? -dy : dy;
  if (ax > ay) return dy < 0;
  if (ay > ax) return dx < 0;
  return false;  // diagonals never tie
}

// Calls visit(x, y) for each pixel of the line from `from` up to, not including, `to`, restricted
// to steps whose major coordinate lies in the clip box widened by `pad`.
template <class Visit>
void ForEachLinePixel(Point from, Point to, const Rect& clip, std::int64_t pad, Visit&& visit) {
  const std::int64_t dx = std::int64_t{to.x} - from.x;
  const std::int64_t dy = std::int64_t{to.y} - from.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t major = xMajor ? dx : dy;
  const std::int64_t minor = xMajor ? dy : dx;
  const std::int64_t steps = std::llabs(major);
  if (steps == 0) return;
  const int dirMajor = major > 0 ? 1 : -1;
  const std::int64_t startMajor = xMajor ? from.x : from.y;
  const std::int64_t startMinor = xMajor ? from.y : from.x;
  const StepRange range = xMajor ? ClipSteps(startMajor, dirMajor, steps, std::int64_t{clip.left} - pad,
                                             std::int64_t{clip.right} - 1 + pad)
                                 : ClipSteps(startMajor, dirMajor, steps, std::int64_t{clip.top} - pad,
                                             std::int64_t{clip.bottom} - 1 + pad);
  const bool tie = TieMoves(dx, dy);
  for (std::int64_t i = range.first; i <= range.last; ++i) {
    const std::int64_t m = startMajor + dirMajor * i;
    const std::int64_t n = startMinor + MinorOffset(i, major, minor, tie);
    if (xMajor)
      visit(m, n);
    else
      visit(n, m);
  }
}

// The pixels a line lights, in drawing order (for small lines; drawing clips instead).
std::vector<Point> LinePixels(Point from, Point to);

// Corners in either order.
Rect NormalizeRect(const Rect& r);

// Rows of the pixels that Ellipse(box) paints with a 1-pixel pen, outline and fill together, top
// to bottom; only rows within [rowLo, rowHi]. Boxes 2 pixels or smaller in a dimension are the
// full rectangle.
std::vector<Span> EllipseSpans(const Rect& box, std::int64_t rowLo, std::int64_t rowHi);
std::vector<Span> EllipseSpans(const Rect& box);

// The interior of row `i` of a convex shape given by its spans: pixels of the row whose left,
// right, upper and lower neighbours are all in the shape. Empty when x0 > x1.
Span InteriorOf(const std::vector<Span>& spans, std::size_t i);

}  // namespace kelvane::gdi
