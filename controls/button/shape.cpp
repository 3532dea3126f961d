#include "controls/button/shape.h"

#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"
#include "platform/host/window_system.h"

namespace kelvane::controls {

namespace {

// Sizes come from a window, so they stay far from the 32-bit limits; 64 bits keep it so anyway.
std::int32_t FromEdge(std::int32_t offset, std::int32_t size) {
  return static_cast<std::int32_t>(offset < 0 ? std::int64_t{size} + offset : offset);
}

}  // namespace

gdi::Region BuildShapeRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
  const StyleTraits& style = TraitsOf(buttonType);
  if (style.Oval) return gdi::CreateEllipticRgn(0, 0, width, height);
  gdi::Region full = gdi::CreateRectRgn(0, 0, width, height);
  gdi::Region scratch = gdi::CreateRectRgn(0, 0, 0, 0);
  // Each difference reads the last result and writes the other handle, so the two take turns.
  bool resultInFull = true;
  for (const ShapeCut& c : style.ShapeCuts) {
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
  host::GetClientRect(&widget(), client);
  const StyleTraits& style = TraitsOf(Stored.ButtonType);
  // A shape of the whole rectangle is no shape: without a mask Qt paints and hit-tests the button
  // the same, at less cost for a window of hundreds.
  if (style.ShapeCuts.empty() && !style.Oval && client.right > 0 && client.bottom > 0) {
    if (!widget().mask().isEmpty()) host::SetWindowRgn(&widget(), gdi::Region(), true);
    return;
  }
  host::SetWindowRgn(&widget(), BuildShapeRegion(Stored.ButtonType, client.right, client.bottom), true);
}

}  // namespace kelvane::controls
