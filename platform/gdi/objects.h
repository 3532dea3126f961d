#pragma once
// Drawing objects: brushes, pens, fonts and bitmaps. They are values (pens, brushes, fonts) or shared
// handles (bitmaps), so an object stays alive while a device context still holds it and nothing
// can leak or dangle; DeleteObject only lets go of the caller's reference.
#include <QFont>
#include <QImage>
#include <concepts>
#include <cstdint>
#include <memory>

#include "platform/gdi/colorref.h"
#include "platform/gdi/pen_brush.h"

namespace kelvane::gdi {

// Text is part of a surface's pixel-exact drawing, so it must come out the same whatever the screen's
// scale: Qt drops hinting on scaled screens unless the font asks for it, so surface fonts ask for the
// light hinting an unscaled screen uses.
QFont SurfaceFont(QFont font);

class Font {
 public:
  Font() = default;  // no font: the device context's default
  explicit Font(const QFont& font) : font_(SurfaceFont(font)), null_(false) {}
  bool isNull() const { return null_; }
  const QFont& qfont() const { return font_; }
  friend bool operator==(const Font&, const Font&) = default;

 private:
  QFont font_;
  bool null_ = true;
};

// A bitmap's pixels are shared by every holder, so drawing through one device context shows in
// the bitmap that another caller keeps.
class Bitmap {
 public:
  Bitmap() = default;  // no bitmap
  // A bitmap holding a copy of the pixels, in the surfaces' format.
  static Bitmap fromImage(const QImage& image);
  // w × h black pixels; a negative size or one that cannot be allocated gives no bitmap.
  static Bitmap blank(int w, int h);

  bool isNull() const { return !pixels_; }
  int width() const { return pixels_ ? pixels_->width() : 0; }
  int height() const { return pixels_ ? pixels_->height() : 0; }
  QImage& image();  // an empty image for no bitmap
  const QImage& image() const;
  friend bool operator==(const Bitmap& a, const Bitmap& b) { return a.pixels_ == b.pixels_; }

 private:
  std::shared_ptr<QImage> pixels_;
};

// Planes and bits per pixel are accepted for any value: every bitmap has the surfaces' format.
// Initial pixels are black unless `bits` (rows of 32-bit 0x00RRGGBB words, top row first) is given.
Bitmap CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                    const void* bits = nullptr);

template <class T>
concept GdiObject = requires(const T& t) {
  { t.isNull() } -> std::same_as<bool>;
};

// Lets go of the caller's object; false when it held none.
template <GdiObject T>
bool DeleteObject(T& object) {
  const bool held = !object.isNull();
  object = T{};
  return held;
}

}  // namespace kelvane::gdi
