#include "controls/button/shape.h"

#include <span>

#include "controls/button/chameleon_button.h"
#include "platform/host/window_system.h"

namespace kelvane::controls {

namespace {

// A cut, in the button's pixels; x0/y0 negative count from the right/bottom edge (-1 is the last).
struct Cut {
  std::int32_t x, y, width;
};

// Styles 1 and 14: a pixel off every corner.
constexpr Cut kCornerPixels[] = {{0, -1, 1}, {-1, 0, 1}, {0, 0, 1}, {-1, -1, 1}};
// Style 5: only the bottom-left and top-right corners.
constexpr Cut kOppositeCorners[] = {{0, -1, 1}, {-1, 0, 1}};
// Styles 3 and 4: two pixels along the top and bottom rows and one down each side at every corner.
constexpr Cut kTwoPixelCorners[] = {{0, 0, 2}, {0, -1, 2}, {-2, 0, 2}, {-2, -1, 2},
                                    {0, 1, 1}, {0, -2, 1}, {-1, 1, 1}, {-1, -2, 1}};

constexpr std::int32_t kOvalType = 13;

std::span<const Cut> CutsOf(std::int32_t buttonType) {
  switch (buttonType) {
    case 1:
    case 14: return kCornerPixels;
    case 5: return kOppositeCorners;
    case 3:
    case 4: return kTwoPixelCorners;
    default: return {};
  }
}

// Sizes come from a window, so they stay far from the 32-bit limits; 64 bits keep it so anyway.
std::int32_t FromEdge(std::int32_t offset, std::int32_t size) {
  return static_cast<std::int32_t>(offset < 0 ? std::int64_t{size} + offset : offset);
}

}  // namespace

gdi::Region BuildShapeRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
  if (buttonType == kOvalType) return gdi::CreateEllipticRgn(0, 0, width, height);
  gdi::Region full = gdi::CreateRectRgn(0, 0, width, height);
  gdi::Region scratch = gdi::CreateRectRgn(0, 0, 0, 0);
  // Each difference reads the last result and writes the other handle, so the two take turns.
  bool resultInFull = true;
  for (const Cut& c : CutsOf(buttonType)) {
    const std::int32_t x = FromEdge(c.x, width), y = FromEdge(c.y, height);
    const gdi::Region piece = gdi::CreateRectRgn(x, y, x + c.width, y + 1);
    if (resultInFull)
      gdi::CombineRgn(scratch, full, piece, gdi::RGN_DIFF);
    else
      gdi::CombineRgn(full, scratch, piece, gdi::RGN_DIFF);
    resultInFull = !resultInFull;
  }
  return resultInFull ? full : scratch;
}

void chameleonButton::ApplyShape() {
  gdi::Rect client{};
  host::GetClientRect(this, client);
  host::SetWindowRgn(this, BuildShapeRegion(Stored.ButtonType, client.right, client.bottom), true);
}

}  // namespace kelvane::controls
