#pragma once
// A device context: the drawing state (pen, brush, font, colours, current position) over a target
// image — a control's Surface, a memory bitmap, or a window's rendering.
#include <QPointer>
#include <QWidget>
#include <utility>

#include "platform/gdi/colorref.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/surface.h"

namespace kelvane::gdi {

class Dc {
 public:
  // Draws on the surface, which must outlive the context. The background colour starts as the
  // surface's own.
  explicit Dc(Surface& surface);
  // A memory context: holds a 1 × 1 bitmap until another is selected.
  static Dc memory();
  // A context over a window's current rendering, taken when its pixels are first needed, with the
  // window's palette colours as background and text colour. Drawing on it changes only the copy.
  static Dc window(QWidget* window);

  Dc(Dc&&) noexcept = default;
  Dc& operator=(Dc&&) noexcept = default;
  Dc(const Dc&) = delete;
  Dc& operator=(const Dc&) = delete;
  ~Dc() = default;

  // The image drawn on; empty when there is nothing to draw on.
  QImage& target();

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
  QPointer<QWidget> window_;  // rendered into bitmap_ on first use
  bool rendered_ = false;

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

inline ColorRef SetTextColor(Dc& dc, ColorRef c) { return dc.setTextColor(c); }
inline ColorRef GetTextColor(const Dc& dc) { return dc.textColor(); }
inline ColorRef GetBkColor(const Dc& dc) { return dc.bkColor(); }

bool MoveToEx(Dc& dc, std::int32_t x, std::int32_t y, Point* previous = nullptr);
bool SetPixelV(Dc& dc, std::int32_t x, std::int32_t y, ColorRef colour);
ColorRef GetPixel(Dc& dc, std::int32_t x, std::int32_t y);  // CLR_INVALID outside the target

}  // namespace kelvane::gdi
