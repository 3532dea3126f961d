#pragma once
// Regions: exact pixel sets, shared by handle so that CombineRgn can write into a region that
// another holder (or one of its own sources) refers to.
#include <QRegion>
#include <cstdint>
#include <memory>

#include "platform/gdi/rect.h"

namespace kelvane::gdi {

class Region {
 public:
  Region() = default;  // no region
  explicit Region(const QRegion& pixels) : pixels_(std::make_shared<QRegion>(pixels)) {}
  bool isNull() const { return !pixels_; }
  // The pixel set; empty for no region.
  QRegion pixels() const { return pixels_ ? *pixels_ : QRegion(); }
  void setPixels(const QRegion& r) {
    if (pixels_) *pixels_ = r;
  }
  friend bool operator==(const Region& a, const Region& b) { return a.pixels_ == b.pixels_; }

 private:
  std::shared_ptr<QRegion> pixels_;
};

enum class RegionMode { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
inline constexpr RegionMode RGN_AND = RegionMode::And;
inline constexpr RegionMode RGN_OR = RegionMode::Or;
inline constexpr RegionMode RGN_XOR = RegionMode::Xor;
inline constexpr RegionMode RGN_DIFF = RegionMode::Diff;
inline constexpr RegionMode RGN_COPY = RegionMode::Copy;

// What CombineRgn reports about its result.
inline constexpr int RGN_ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

// Corners in any order.
Region CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// The pixels that Ellipse(left, top, right − 1, bottom − 1) paints with a 1-pixel pen, outline and
// fill: one pixel narrower and shorter than the ellipse drawn in the same box. Corners in any order.
// A box over 2^20 pixels tall gives no region.
Region CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// dest = a (mode) b; dest may be a or b. RGN_COPY ignores b. RGN_ERROR when dest or a source is
// no region.
int CombineRgn(Region& dest, const Region& a, const Region& b, RegionMode mode);
bool PtInRegion(const Region& r, std::int32_t x, std::int32_t y);

}  // namespace kelvane::gdi
