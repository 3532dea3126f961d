#pragma once
// A device context: the drawing state (pen, brush, font, colours, current position, clip) over a
// target image — a control's Surface, a memory bitmap, or a copy of pixels taken when first needed.
#include <QImage>
#include <functional>
#include <optional>
#include <utility>

#include "platform/gdi/colorref.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/pixel_view.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/surface.h"

class QPainter;

namespace kelvane::gdi {

class Dc {
 public:
  // Draws on the surface, which must outlive the context. The background colour starts as the
  // surface's own.
  explicit Dc(Surface& surface);
  // A memory context: holds a 1 × 1 bitmap until another is selected.
  static Dc memory();
  // A context over pixels that `take` produces when they are first needed (a window's rendering,
  // say), with the given background and text colours. Drawing on it changes only that copy.
  static Dc deferred(std::function<QImage()> take, ColorRef background, ColorRef text);

  Dc(Dc&&) noexcept = default;
  Dc& operator=(Dc&&) noexcept = default;
  Dc(const Dc&) = delete;
  Dc& operator=(const Dc&) = delete;
  ~Dc() = default;

  // The image drawn on; empty when there is nothing to draw on.
  QImage& target();
  // The target's pixels as the painters see them, clipped to the clip rectangle.
  Canvas canvas();

  // Drawing lands only inside the clip rectangle; none means the whole target.
  const std::optional<Rect>& clipRect() const { return clip_; }
  void setClipRect(std::optional<Rect> clip) { clip_ = clip; }

  Brush selectBrush(const Brush& b) { return std::exchange(brush_, b); }
  Pen selectPen(const Pen& p) { return std::exchange(pen_, p); }
  Font selectFont(const Font& f) { return std::exchange(font_, f); }
  // Only a memory context takes a bitmap; otherwise the result is no bitmap and nothing changes.
  Bitmap selectBitmap(const Bitmap& b);

  const Brush& brush() const { return brush_; }
  const Pen& pen() const { return pen_; }
  const Font& font() const { return font_; }
  const Bitmap& bitmap() const { return bitmap_; }
  QFont qfont() const;  // the selected font, or the application's when none is

  ColorRef textColor() const { return textColor_; }
  ColorRef bkColor() const { return bkColor_; }
  ColorRef setTextColor(ColorRef c) { return std::exchange(textColor_, c); }

  Point position() const { return position_; }
  void setPosition(Point p) { position_ = p; }

 private:
  Dc() = default;

  Surface* surface_ = nullptr;  // not owned
  Bitmap bitmap_;
  bool memory_ = false;
  std::function<QImage()> take_;  // runs once, into bitmap_, on first use
  std::optional<Rect> clip_;

  Brush brush_ = Brush::solid(0xFFFFFF);
  Pen pen_{PenStyle::Solid, 1, 0x000000};
  Font font_;
  ColorRef textColor_ = 0x000000;
  ColorRef bkColor_ = 0xFFFFFF;
  Point position_;
};

// A memory context; the reference context only says "compatible with", which every context is.
Dc CreateCompatibleDC(const Dc* reference = nullptr);
inline Dc CreateCompatibleDC(const Dc& reference) { return CreateCompatibleDC(&reference); }
// A bitmap in the surfaces' format; a size of 0 gives an empty bitmap, a negative one no bitmap.
Bitmap CreateCompatibleBitmap(const Dc& dc, int width, int height);
// Ends the context now; a context also ends when it goes out of scope.
inline bool DeleteDC(Dc /*dc*/) { return true; }

// Select an object and get the one it displaced, to put back before the caller lets go of its own.
inline Brush SelectObject(Dc& dc, const Brush& b) { return dc.selectBrush(b); }
inline Pen SelectObject(Dc& dc, const Pen& p) { return dc.selectPen(p); }
inline Font SelectObject(Dc& dc, const Font& f) { return dc.selectFont(f); }
inline Bitmap SelectObject(Dc& dc, const Bitmap& b) { return dc.selectBitmap(b); }

// Selects an object for the guard's lifetime and puts back the one it displaced, however the
// scope is left.
template <class Object>
class ScopedSelect {
 public:
  ScopedSelect(Dc& dc, const Object& object) : dc_(dc), displaced_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, displaced_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  Dc& dc_;
  Object displaced_;
};

// Narrows drawing to the rectangle (within any clip already set); false when nothing is left.
bool IntersectClipRect(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// Limits a painter on the context's target to its clip rectangle, if one is set.
void ApplyClip(QPainter& painter, const Dc& dc);
// Lifts the clip: the whole target again.
inline void ResetClip(Dc& dc) { dc.setClipRect(std::nullopt); }

inline ColorRef SetTextColor(Dc& dc, ColorRef c) { return dc.setTextColor(c); }
inline ColorRef GetTextColor(const Dc& dc) { return dc.textColor(); }
inline ColorRef GetBkColor(const Dc& dc) { return dc.bkColor(); }

bool MoveToEx(Dc& dc, std::int32_t x, std::int32_t y, Point* previous = nullptr);
bool SetPixelV(Dc& dc, std::int32_t x, std::int32_t y, ColorRef colour);
ColorRef GetPixel(Dc& dc, std::int32_t x, std::int32_t y);  // CLR_INVALID outside the target

}  // namespace kelvane::gdi
