#include "controls/progressbar/bar_state.h"

#include <cmath>
#include <limits>

namespace kelvane::controls {

namespace {
constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The frame picture's slices: source rectangles in the 59 x 13 picture.
constexpr int kCornerSize = 3;
constexpr int kRightSliceX = 56, kBottomSliceY = 10;
constexpr int kTopEdgeWidth = 12, kBottomEdgeWidth = 1, kSideEdgeHeight = 3;
constexpr int kCentreX = 4, kCentreY = 4, kCentreWidth = 51, kCentreHeight = 7;
}  // namespace

std::int16_t SaturateToInt16(std::int64_t v) {
  if (v < kInt16Min) return static_cast<std::int16_t>(kInt16Min);
  if (v > kInt16Max) return static_cast<std::int16_t>(kInt16Max);
  return static_cast<std::int16_t>(v);
}

std::int16_t RoundToInt16(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(kInt16Min)) return static_cast<std::int16_t>(kInt16Min);
  if (v >= static_cast<double>(kInt16Max)) return static_cast<std::int16_t>(kInt16Max);
  return static_cast<std::int16_t>(std::nearbyint(v));  // default rounding mode: half to even
}

std::int32_t SaturateToInt32(std::int64_t v) {
  if (v < kInt32Min) return static_cast<std::int32_t>(kInt32Min);
  if (v > kInt32Max) return static_cast<std::int32_t>(kInt32Max);
  return static_cast<std::int32_t>(v);
}

double ExtentPerUnit(double barWidth, std::int16_t range) {
  if (range == 0) return 0.0;
  const double perPercent = barWidth * kPercent;
  return perPercent * (kFullScale / range);
}

std::array<FrameCopy, kFrameSlices> FrameCopies(double scaleWidth, double scaleHeight) {
  const double right = scaleWidth - kBorder;
  const double bottom = scaleHeight - kBorder;
  const double innerWidth = scaleWidth - 2 * kBorder;
  const double innerHeight = RoundToInt16(scaleHeight - 2 * kBorder);
  const double c = kCornerSize;
  return {{
      {0, 0, c, c, 0, 0, kCornerSize, kCornerSize},                                       // top-left
      {right, 0, c, c, kRightSliceX, 0, kCornerSize, kCornerSize},                        // top-right
      {right, bottom, c, c, kRightSliceX, kBottomSliceY, kCornerSize, kCornerSize},       // bottom-right
      {0, bottom, c, c, 0, kBottomSliceY, kCornerSize, kCornerSize},                      // bottom-left
      {c, 0, innerWidth, c, kBorder, 0, kTopEdgeWidth, kCornerSize},                      // top edge
      {right, c, c, innerHeight, kRightSliceX, kBorder, kCornerSize, kSideEdgeHeight},    // right edge
      {c, bottom, innerWidth, c, kBorder, kBottomSliceY, kBottomEdgeWidth, kCornerSize},  // bottom edge
      {0, c, c, innerHeight, 0, kBorder, kCornerSize, kSideEdgeHeight},                   // left edge
      {c, c, innerWidth, innerHeight, kCentreX, kCentreY, kCentreWidth, kCentreHeight},   // centre
  }};
}

}  // namespace kelvane::controls
