#include "platform/gdi/draw.h"

#include <algorithm>

#include "platform/gdi/raster.h"

namespace kelvane::gdi {

namespace {

constexpr QRgb kInvert = 0x00FFFFFFu;

// Fills [x0, x1] × [y0, y1] (inclusive), clipped to the image.
void fillBox(QImage& img, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, QRgb rgb) {
  x0 = std::max<std::int64_t>(x0, 0);
  y0 = std::max<std::int64_t>(y0, 0);
  x1 = std::min<std::int64_t>(x1, img.width() - 1);
  y1 = std::min<std::int64_t>(y1, img.height() - 1);
  if (x0 > x1 || y0 > y1) return;
  // One detach for the whole box: scanLine would check for a shared image on every row.
  uchar* bits = img.bits();
  const qsizetype stride = img.bytesPerLine();
  for (std::int64_t y = y0; y <= y1; ++y) {
    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(row + x0, row + x1 + 1, rgb);
  }
}

void invertPixel(QImage& img, std::int64_t x, std::int64_t y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  reinterpret_cast<QRgb*>(img.scanLine(static_cast<int>(y)))[x] ^= kInvert;
}

// A pen wider than one pixel is centred on the path with its extra pixels toward the top and left.
struct Stamp {
  std::int64_t lo;
  std::int64_t hi;
};
Stamp stampOf(const Pen& pen) {
  const std::int64_t lo = -(pen.width() / 2);
  return {lo, lo + pen.width() - 1};
}

// Pen strokes along a horizontal run of path pixels [x0, x1] on row y.
void strokeRun(QImage& img, const Pen& pen, std::int64_t x0, std::int64_t x1, std::int64_t y) {
  if (x0 > x1) return;
  const Stamp s = stampOf(pen);
  fillBox(img, x0 + s.lo, y + s.lo, x1 + s.hi, y + s.hi, toQRgb(pen.color()));
}

Rect imageRect(const QImage& img) { return {0, 0, img.width(), img.height()}; }

}  // namespace

int FillRect(Dc& dc, const Rect& r, const Brush& brush) {
  if (IsRectEmpty(r) || brush.isNull()) return 0;
  fillBox(dc.target(), r.left, r.top, r.right - 1LL, r.bottom - 1LL, toQRgb(brush.color()));
  return 1;
}

int FrameRect(Dc& dc, const Rect& r, const Brush& brush) {
  if (IsRectEmpty(r) || brush.isNull()) return 0;
  QImage& img = dc.target();
  const QRgb rgb = toQRgb(brush.color());
  const std::int64_t right = r.right - 1LL;
  const std::int64_t bottom = r.bottom - 1LL;
  fillBox(img, r.left, r.top, right, r.top, rgb);
  fillBox(img, r.left, bottom, right, bottom, rgb);
  fillBox(img, r.left, r.top, r.left, bottom, rgb);
  fillBox(img, right, r.top, right, bottom, rgb);
  return 1;
}

bool LineTo(Dc& dc, std::int32_t x, std::int32_t y) {
  const Point from = dc.position();
  dc.setPosition({x, y});
  const Pen& pen = dc.pen();
  if (pen.isNull()) return true;
  QImage& img = dc.target();
  const Stamp s = stampOf(pen);
  const QRgb rgb = toQRgb(pen.color());
  // A straight line is one box, the pen swept from the first pixel to the one before the end.
  if ((from.x == x) != (from.y == y)) {
    const std::int64_t lastX = from.x == x ? x : x - (x > from.x ? 1 : -1);
    const std::int64_t lastY = from.y == y ? y : y - (y > from.y ? 1 : -1);
    fillBox(img, std::min<std::int64_t>(from.x, lastX) + s.lo, std::min<std::int64_t>(from.y, lastY) + s.lo,
            std::max<std::int64_t>(from.x, lastX) + s.hi, std::max<std::int64_t>(from.y, lastY) + s.hi, rgb);
    return true;
  }
  const std::int64_t pad = std::max(-s.lo, s.hi);
  ForEachLinePixel(from, {x, y}, imageRect(img), pad, [&](std::int64_t px, std::int64_t py) {
    fillBox(img, px + s.lo, py + s.lo, px + s.hi, py + s.hi, rgb);
  });
  return true;
}

bool Rectangle(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Rect box = NormalizeRect({left, top, right, bottom});
  if (IsRectEmpty(box)) return true;
  QImage& img = dc.target();
  const std::int64_t r = box.right - 1LL;
  const std::int64_t b = box.bottom - 1LL;
  if (!dc.brush().isNull())
    fillBox(img, box.left + 1LL, box.top + 1LL, r - 1, b - 1, toQRgb(dc.brush().color()));
  const Pen& pen = dc.pen();
  if (pen.isNull()) return true;
  strokeRun(img, pen, box.left, r, box.top);
  strokeRun(img, pen, box.left, r, b);
  if (b - 1 >= box.top + 1LL) {
    const Stamp st = stampOf(pen);
    const QRgb rgb = toQRgb(pen.color());
    fillBox(img, box.left + st.lo, box.top + 1 + st.lo, box.left + st.hi, b - 1 + st.hi, rgb);
    fillBox(img, r + st.lo, box.top + 1 + st.lo, r + st.hi, b - 1 + st.hi, rgb);
  }
  return true;
}

bool Ellipse(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Rect box = NormalizeRect({left, top, right, bottom});
  if (RectWidth(box) < 3 || RectHeight(box) < 3) return Rectangle(dc, left, top, right, bottom);
  QImage& img = dc.target();
  const Pen& pen = dc.pen();
  const Stamp s = pen.isNull() ? Stamp{0, 0} : stampOf(pen);
  // One extra row each side so that the rows at the clip edge know their neighbours.
  const std::int64_t pad = std::max(-s.lo, s.hi) + 1;
  const std::vector<Span> spans = EllipseSpans(box, -pad, img.height() - 1LL + pad);
  if (!dc.brush().isNull()) {
    const QRgb rgb = toQRgb(dc.brush().color());
    for (std::size_t i = 0; i < spans.size(); ++i) {
      const Span in = InteriorOf(spans, i);
      if (in.x0 <= in.x1 && in.y >= 0 && in.y < img.height()) fillBox(img, in.x0, in.y, in.x1, in.y, rgb);
    }
  }
  if (pen.isNull()) return true;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Span& row = spans[i];
    const bool complete =
        (i > 0 && spans[i - 1].y == row.y - 1) && (i + 1 < spans.size() && spans[i + 1].y == row.y + 1);
    // The first and last computed rows only supply neighbours, unless they are the box's edge.
    if (!complete && row.y != box.top && row.y != box.bottom - 1LL) continue;
    const Span in = complete ? InteriorOf(spans, i) : Span{row.y, 1, 0};
    if (in.x0 > in.x1) {
      strokeRun(img, pen, row.x0, row.x1, row.y);
    } else {
      strokeRun(img, pen, row.x0, in.x0 - 1, row.y);
      strokeRun(img, pen, in.x1 + 1, row.x1, row.y);
    }
  }
  return true;
}

bool DrawFocusRect(Dc& dc, const Rect& r) {
  if (IsRectEmpty(r)) return true;
  QImage& img = dc.target();
  const std::int64_t right = r.right - 1LL;
  const std::int64_t bottom = r.bottom - 1LL;
  // Each border pixel exactly once, corners included, so a second call undoes the first.
  const auto invertOdd = [&](std::int64_t x, std::int64_t y) {
    if (((x + y) & 1) != 0) invertPixel(img, x, y);
  };
  const std::int64_t x0 = std::max<std::int64_t>(r.left, -1);
  const std::int64_t x1 = std::min<std::int64_t>(right, img.width());
  for (std::int64_t x = x0; x <= x1; ++x) {
    invertOdd(x, r.top);
    if (bottom != r.top) invertOdd(x, bottom);
  }
  const std::int64_t y0 = std::max<std::int64_t>(r.top + 1LL, -1);
  const std::int64_t y1 = std::min<std::int64_t>(bottom - 1, img.height());
  for (std::int64_t y = y0; y <= y1; ++y) {
    invertOdd(r.left, y);
    if (right != r.left) invertOdd(right, y);
  }
  return true;
}

}  // namespace kelvane::gdi
