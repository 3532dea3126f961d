#include "controls/button/style_canvas.h"

#include "controls/button/primitives.h"

namespace kelvane::controls {

namespace {
gdi::ColorRef Ref(std::int32_t colour) { return static_cast<gdi::ColorRef>(colour); }
}  // namespace

void PrimitiveCanvas::Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                           std::int32_t colour) {
  PaintRect(dc_, x, y, w, h, Ref(colour), false);
}

void PrimitiveCanvas::Outline(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              std::int32_t colour) {
  PaintRect(dc_, x, y, w, h, Ref(colour), true);
}

void PrimitiveCanvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                           std::int32_t colour) {
  PaintLine(dc_, x1, y1, x2, y2, Ref(colour));
}

void PrimitiveCanvas::Pixel(std::int32_t x, std::int32_t y, std::int32_t colour) {
  PaintPixel(dc_, x, y, Ref(colour));
}

void PrimitiveCanvas::Bevel(std::int32_t c1, std::int32_t c2, std::int32_t c3, std::int32_t c4,
                            std::int16_t inset) {
  PaintFrame(dc_, options_.Width, options_.Height, Ref(c1), Ref(c2), Ref(c3), Ref(c4), inset, false);
}

void PrimitiveCanvas::Ring(std::int32_t c1, std::int32_t c2, std::int16_t inset) {
  PaintFrame(dc_, options_.Width, options_.Height, Ref(c1), Ref(c2), 0, 0, inset, true);
}

void PrimitiveCanvas::Oval(std::int32_t pen, std::int32_t brush) {
  PaintEllipse(dc_, 0, 0, options_.Width, options_.Height, Ref(pen), Ref(brush));
}

void PrimitiveCanvas::Focus() {
  PaintFocusRect(dc_, ComputeFocusRect(options_.ButtonType, options_.Width, options_.Height),
                 options_.ShowFocusRect, options_.HasFocus, Ref(options_.Colors.TextColor));
}

}  // namespace kelvane::controls
