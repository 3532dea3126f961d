#include "platform/gdi/paint_pixels.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/raster.h"

namespace kelvane::gdi {

namespace {

constexpr Argb kInvert = 0x00FFFFFFu;

bool InClip(const Canvas& c, std::int64_t x, std::int64_t y) {
  return x >= c.clip.left && y >= c.clip.top && x < c.clip.right && y < c.clip.bottom;
}

// A pen wider than one pixel is centred on the path with its extra pixels toward the top and left.
struct Stamp {
  std::int64_t lo;
  std::int64_t hi;
};
Stamp StampOf(const Pen& pen) {
  const std::int64_t lo = -(pen.width() / 2);
  return {lo, lo + pen.width() - 1};
}

// Pen strokes along a horizontal run of path pixels [x0, x1] on row y.
void StrokeRun(const Canvas& c, const Pen& pen, std::int64_t x0, std::int64_t x1, std::int64_t y) {
  if (x0 > x1) return;
  const Stamp s = StampOf(pen);
  FillPixels(c, x0 + s.lo, y + s.lo, x1 + s.hi, y + s.hi, toQRgb(pen.color()));
}

}  // namespace

void FillPixels(const Canvas& c, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                Argb rgb) {
  x0 = std::max<std::int64_t>(x0, c.clip.left);
  y0 = std::max<std::int64_t>(y0, c.clip.top);
  x1 = std::min<std::int64_t>(x1, c.clip.right - 1LL);
  y1 = std::min<std::int64_t>(y1, c.clip.bottom - 1LL);
  if (x0 > x1 || y0 > y1) return;
  for (std::int64_t y = y0; y <= y1; ++y) {
    Argb* row = c.view.row(y);
    std::fill(row + x0, row + x1 + 1, rgb);
  }
}

void PaintFrameRect(const Canvas& c, const Rect& r, Argb rgb) {
  if (IsRectEmpty(r)) return;
  const std::int64_t right = r.right - 1LL;
  const std::int64_t bottom = r.bottom - 1LL;
  FillPixels(c, r.left, r.top, right, r.top, rgb);
  FillPixels(c, r.left, bottom, right, bottom, rgb);
  FillPixels(c, r.left, r.top, r.left, bottom, rgb);
  FillPixels(c, right, r.top, right, bottom, rgb);
}

void PaintLine(const Canvas& c, Point from, Point to, const Pen& pen) {
  if (pen.isNull()) return;
  const Stamp s = StampOf(pen);
  const Argb rgb = toQRgb(pen.color());
  const std::int64_t x = to.x;
  const std::int64_t y = to.y;
  // A straight line is one box, the pen swept from the first pixel to the one before the end.
  if ((from.x == x) != (from.y == y)) {
    const std::int64_t lastX = from.x == x ? x : x - (x > from.x ? 1 : -1);
    const std::int64_t lastY = from.y == y ? y : y - (y > from.y ? 1 : -1);
    FillPixels(c, std::min<std::int64_t>(from.x, lastX) + s.lo, std::min<std::int64_t>(from.y, lastY) + s.lo,
               std::max<std::int64_t>(from.x, lastX) + s.hi, std::max<std::int64_t>(from.y, lastY) + s.hi,
               rgb);
    return;
  }
  const std::int64_t pad = std::max(-s.lo, s.hi);
  ForEachLinePixel(from, to, c.clip, pad, [&](std::int64_t px, std::int64_t py) {
    FillPixels(c, px + s.lo, py + s.lo, px + s.hi, py + s.hi, rgb);
  });
}

void PaintRectangle(const Canvas& c, const Rect& corners, const Brush& brush, const Pen& pen) {
  const Rect box = NormalizeRect(corners);
  if (IsRectEmpty(box)) return;
  const std::int64_t r = box.right - 1LL;
  const std::int64_t b = box.bottom - 1LL;
  if (!brush.isNull()) FillPixels(c, box.left + 1LL, box.top + 1LL, r - 1, b - 1, toQRgb(brush.color()));
  if (pen.isNull()) return;
  StrokeRun(c, pen, box.left, r, box.top);
  StrokeRun(c, pen, box.left, r, b);
  if (b - 1 >= box.top + 1LL) {
    const Stamp st = StampOf(pen);
    const Argb rgb = toQRgb(pen.color());
    FillPixels(c, box.left + st.lo, box.top + 1 + st.lo, box.left + st.hi, b - 1 + st.hi, rgb);
    FillPixels(c, r + st.lo, box.top + 1 + st.lo, r + st.hi, b - 1 + st.hi, rgb);
  }
}

void PaintEllipse(const Canvas& c, const Rect& corners, const Brush& brush, const Pen& pen) {
  const Rect box = NormalizeRect(corners);
  if (RectWidth(box) < 3 || RectHeight(box) < 3) return PaintRectangle(c, corners, brush, pen);
  const Stamp s = pen.isNull() ? Stamp{0, 0} : StampOf(pen);
  // One extra row each side so that the rows at the clip edge know their neighbours.
  const std::int64_t pad = std::max(-s.lo, s.hi) + 1;
  const std::vector<Span> spans = EllipseSpans(box, c.clip.top - pad, c.clip.bottom - 1LL + pad);
  if (!brush.isNull()) {
    const Argb rgb = toQRgb(brush.color());
    for (std::size_t i = 0; i < spans.size(); ++i) {
      const Span in = InteriorOf(spans, i);
      if (in.x0 <= in.x1) FillPixels(c, in.x0, in.y, in.x1, in.y, rgb);
    }
  }
  if (pen.isNull()) return;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Span& row = spans[i];
    const bool complete =
        (i > 0 && spans[i - 1].y == row.y - 1) && (i + 1 < spans.size() && spans[i + 1].y == row.y + 1);
    // The first and last computed rows only supply neighbours, unless they are the box's edge.
    if (!complete && row.y != box.top && row.y != box.bottom - 1LL) continue;
    const Span in = complete ? InteriorOf(spans, i) : Span{row.y, 1, 0};
    if (in.x0 > in.x1) {
      StrokeRun(c, pen, row.x0, row.x1, row.y);
    } else {
      StrokeRun(c, pen, row.x0, in.x0 - 1, row.y);
      StrokeRun(c, pen, in.x1 + 1, row.x1, row.y);
    }
  }
}

void PaintFocusRect(const Canvas& c, const Rect& r) {
  if (IsRectEmpty(r)) return;
  const std::int64_t right = r.right - 1LL;
  const std::int64_t bottom = r.bottom - 1LL;
  // Each border pixel exactly once, corners included, so a second call undoes the first.
  const auto invertOdd = [&](std::int64_t x, std::int64_t y) {
    if (((x + y) & 1) != 0 && InClip(c, x, y)) c.view.row(y)[x] ^= kInvert;
  };
  const std::int64_t x0 = std::max<std::int64_t>(r.left, c.clip.left - 1LL);
  const std::int64_t x1 = std::min<std::int64_t>(right, c.clip.right);
  for (std::int64_t x = x0; x <= x1; ++x) {
    invertOdd(x, r.top);
    if (bottom != r.top) invertOdd(x, bottom);
  }
  const std::int64_t y0 = std::max<std::int64_t>(r.top + 1LL, c.clip.top - 1LL);
  const std::int64_t y1 = std::min<std::int64_t>(bottom - 1, c.clip.bottom);
  for (std::int64_t y = y0; y <= y1; ++y) {
    invertOdd(r.left, y);
    if (right != r.left) invertOdd(right, y);
  }
}

}  // namespace kelvane::gdi
