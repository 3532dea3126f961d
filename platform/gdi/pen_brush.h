#pragma once
// Pens and brushes: plain values, what the pixel painters need to know of a stroke or a fill.
#include <cstdint>

#include "platform/gdi/colorref.h"

namespace kelvane::gdi {

class Brush {
 public:
  Brush() = default;  // the hollow brush: fills nothing
  static Brush solid(ColorRef colour) { return Brush(colour); }
  bool isNull() const { return hollow_; }
  ColorRef color() const { return colour_; }
  friend bool operator==(const Brush&, const Brush&) = default;

 private:
  explicit Brush(ColorRef colour) : colour_(colour), hollow_(false) {}
  ColorRef colour_ = 0;
  bool hollow_ = true;
};

enum class PenStyle { Solid = 0, Null = 5 };
inline constexpr PenStyle PS_SOLID = PenStyle::Solid;
inline constexpr PenStyle PS_NULL = PenStyle::Null;

class Pen {
 public:
  Pen() = default;  // the null pen: draws nothing
  Pen(PenStyle style, int width, ColorRef colour)
      : style_(style), width_(width < 1 ? 1 : width), colour_(colour) {}
  bool isNull() const { return style_ == PenStyle::Null; }
  PenStyle style() const { return style_; }
  int width() const { return width_; }
  ColorRef color() const { return colour_; }
  friend bool operator==(const Pen&, const Pen&) = default;

 private:
  PenStyle style_ = PenStyle::Null;
  int width_ = 1;
  ColorRef colour_ = 0;
};

inline Brush CreateSolidBrush(ColorRef colour) { return Brush::solid(colour); }
// Widths below 1 draw 1 pixel wide; a style other than the supported ones gives the null pen.
inline Pen CreatePen(PenStyle style, int width, ColorRef colour) {
  if (style != PenStyle::Solid) return Pen{};
  return Pen(style, width, colour);
}

}  // namespace kelvane::gdi
