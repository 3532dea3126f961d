#include "platform/gdi/raster.h"

#include <cmath>
#include <limits>

namespace kelvane::gdi {

namespace {
__extension__ typedef __int128 Wide;

// Boxes this small in a dimension are drawn as rectangles.
constexpr std::int64_t kRectangularBelow = 3;

std::int64_t isqrt(Wide v) {
  if (v <= 0) return 0;
  auto r = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(v)));
  while (r > 0 && Wide(r) * r > v) --r;
  while (Wide(r + 1) * (r + 1) <= v) ++r;
  return r;
}
}  // namespace

StepRange ClipSteps(std::int64_t start, int direction, std::int64_t steps, std::int64_t lo, std::int64_t hi) {
  StepRange r{0, steps - 1};
  if (direction > 0) {
    r.first = std::max(r.first, lo - start);
    r.last = std::min(r.last, hi - start);
  } else {
    r.first = std::max(r.first, start - hi);
    r.last = std::min(r.last, start - lo);
  }
  return r;
}

std::int64_t MinorOffset(std::int64_t step, std::int64_t major, std::int64_t minor, bool tieMoves) {
  const std::int64_t am = std::llabs(major);
  const std::int64_t an = std::llabs(minor);
  if (an == 0) return 0;  // straight lines: every line a button draws
  std::int64_t q = 0, rem = 0;
  // The product needs 128 bits only for lines longer than any screen; that division is far slower.
  if (constexpr std::int64_t kNarrow = std::int64_t{1} << 31; step < kNarrow && an < kNarrow) {
    q = step * an / am;
    rem = step * an % am;
  } else {
    const Wide num = Wide(step) * an;
    q = static_cast<std::int64_t>(num / am);
    rem = static_cast<std::int64_t>(num % am);
  }
  if (2 * rem > am || (2 * rem == am && tieMoves)) ++q;
  return minor < 0 ? -q : q;
}

std::vector<Point> LinePixels(Point from, Point to) {
  std::vector<Point> out;
  const Rect all{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                 std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()};
  ForEachLinePixel(from, to, all, 0, [&](std::int64_t x, std::int64_t y) {
    out.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
  });
  return out;
}

Rect NormalizeRect(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

std::vector<Span> EllipseSpans(const Rect& box, std::int64_t rowLo, std::int64_t rowHi) {
  std::vector<Span> out;
  const std::int64_t w = RectWidth(box);
  const std::int64_t h = RectHeight(box);
  if (w <= 0 || h <= 0) return out;
  const std::int64_t first = std::max<std::int64_t>(box.top, rowLo);
  const std::int64_t last = std::min<std::int64_t>(std::int64_t{box.bottom} - 1, rowHi);
  if (first > last) return out;
  out.reserve(static_cast<std::size_t>(last - first + 1));
  if (w < kRectangularBelow || h < kRectangularBelow) {
    for (std::int64_t y = first; y <= last; ++y) out.push_back({y, box.left, box.right - 1LL});
    return out;
  }
  // Pixel centres inside the ellipse inscribed in the box, in doubled coordinates so that every
  // quantity is an integer: X = 2(x - left) + 1 - w, Y likewise, inside when X²h² + Y²w² <= w²h².
  for (std::int64_t y = first; y <= last; ++y) {
    const std::int64_t Y = 2 * (y - box.top) + 1 - h;
    const Wide k = Wide(w) * w * (Wide(h) * h - Wide(Y) * Y);
    std::int64_t a = isqrt(k / (Wide(h) * h));
    if ((a & 1) != ((w + 1) & 1)) --a;
    // Every row keeps its middle pixel(s), so the outline reaches the top and bottom of the box.
    if (a < 0) a = (w & 1) ? 0 : 1;
    out.push_back({y, box.left + (w - 1 - a) / 2, box.left + (w - 1 + a) / 2});
  }
  return out;
}

std::vector<Span> EllipseSpans(const Rect& box) {
  return EllipseSpans(box, std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::int64_t>::max());
}

Span InteriorOf(const std::vector<Span>& spans, std::size_t i) {
  const Span& s = spans[i];
  Span in{s.y, s.x0 + 1, s.x1 - 1};
  const bool hasAbove = i > 0 && spans[i - 1].y == s.y - 1;
  const bool hasBelow = i + 1 < spans.size() && spans[i + 1].y == s.y + 1;
  if (!hasAbove || !hasBelow) return {s.y, 1, 0};
  in.x0 = std::max({in.x0, spans[i - 1].x0, spans[i + 1].x0});
  in.x1 = std::min({in.x1, spans[i - 1].x1, spans[i + 1].x1});
  return in;
}

}  // namespace kelvane::gdi
