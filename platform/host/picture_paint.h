#pragma once
// The arithmetic behind Control::PaintPicture, on plain images so it can be tested without a window.
#include <QImage>
#include <QRgb>

namespace kelvane::host {

// A rectangle whose width or height may be negative: x..x+w with w < 0 means mirrored.
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
};

enum class PaintMode { Opaque, ThroughAlpha };

// Nearest-neighbour copy of `srcRect` of `src` onto `destRect` of `dest`, stretching or squeezing.
// Opposite signs of the two widths (heights) mirror horizontally (vertically). Pixels that fall
// outside either image are skipped. ThroughAlpha blends by the source alpha (0 leaves the
// destination, 255 replaces it).
void StretchPicture(QImage& dest, PixelRect destRect, const QImage& src, PixelRect srcRect, PaintMode mode);

// Source-over blend of one pixel, alpha taken from `src`; the result is opaque.
QRgb BlendOver(QRgb src, QRgb dest);

}  // namespace kelvane::host
