#pragma once
// The seam between the drawing rules and whatever holds the pixels: a plain view of 32-bit words,
// and the rectangle of it that painting may touch.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/colorref.h"
#include "platform/gdi/rect.h"

namespace kelvane::gdi {

struct PixelView {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::ptrdiff_t stride = 0;  // words from one row to the next
  Argb* pixels = nullptr;

  Argb* row(std::int64_t y) const { return pixels + y * stride; }
  Rect bounds() const { return {0, 0, width, height}; }
};

// A view and its clip rectangle, which always lies within the view.
struct Canvas {
  PixelView view;
  Rect clip;
};

// The clip is the view's bounds, narrowed to `clip` when one is given; an empty intersection
// paints nothing.
inline Canvas MakeCanvas(const PixelView& view, const Rect* clip = nullptr) {
  Rect c = view.bounds();
  if (clip) {
    c = {clip->left > c.left ? clip->left : c.left, clip->top > c.top ? clip->top : c.top,
         clip->right < c.right ? clip->right : c.right, clip->bottom < c.bottom ? clip->bottom : c.bottom};
    if (IsRectEmpty(c)) c = {};
  }
  return {view, c};
}

}  // namespace kelvane::gdi
