#include "platform/gdi/region.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/gdi/raster.h"

namespace kelvane::gdi {

namespace {

// Far taller than any window; a taller ellipse is refused rather than built row by row.
constexpr std::int64_t kMaxEllipticRows = 1 << 20;

// QRect holds int coordinates; a region is kept within them.
int clampInt(std::int64_t v) {
  return static_cast<int>(
      std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
}

QRect toQRect(const Rect& r) {
  const int l = clampInt(r.left), t = clampInt(r.top);
  return QRect(QPoint(l, t), QPoint(clampInt(r.right - 1LL), clampInt(r.bottom - 1LL)));
}

int kindOf(const QRegion& r) {
  if (r.isEmpty()) return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

Region CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Rect r = NormalizeRect({left, top, right, bottom});
  return Region(IsRectEmpty(r) ? QRegion() : QRegion(toQRect(r)));
}

Region CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Rect box = NormalizeRect({left, top, right, bottom});
  const Rect drawn{box.left, box.top, wrapAdd(box.right, -1), wrapAdd(box.bottom, -1)};
  if (RectHeight(drawn) > kMaxEllipticRows) return Region{};
  // One rectangle per run of equal rows, top to bottom: the banded form QRegion takes directly.
  std::vector<QRect> rows;
  for (const Span& s : EllipseSpans(drawn)) {
    const QRect row(QPoint(clampInt(s.x0), clampInt(s.y)), QPoint(clampInt(s.x1), clampInt(s.y)));
    if (!rows.empty() && rows.back().left() == row.left() && rows.back().right() == row.right() &&
        rows.back().bottom() + 1 == row.top())
      rows.back().setBottom(row.bottom());
    else
      rows.push_back(row);
  }
  QRegion pixels;
  pixels.setRects(rows.data(), static_cast<int>(rows.size()));
  return Region(pixels);
}

int CombineRgn(Region& dest, const Region& a, const Region& b, RegionMode mode) {
  if (dest.isNull() || a.isNull() || (mode != RegionMode::Copy && b.isNull())) return RGN_ERROR;
  const QRegion x = a.pixels();
  const QRegion y = b.pixels();
  QRegion out;
  switch (mode) {
    case RegionMode::And: out = x.intersected(y); break;
    case RegionMode::Or: out = x.united(y); break;
    case RegionMode::Xor: out = x.xored(y); break;
    case RegionMode::Diff: out = x.subtracted(y); break;
    case RegionMode::Copy: out = x; break;
    default: return RGN_ERROR;
  }
  dest.setPixels(out);
  return kindOf(out);
}

bool PtInRegion(const Region& r, std::int32_t x, std::int32_t y) { return r.pixels().contains(QPoint(x, y)); }

}  // namespace kelvane::gdi
