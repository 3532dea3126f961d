#include "platform/gdi/bits.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace kelvane::gdi {

namespace {

constexpr int kBits24 = 24;
constexpr int kBits32 = 32;

bool supported(const BitmapInfoHeader& h) {
  return h.biSize >= kBitmapInfoHeaderSize && h.biWidth >= 0 && h.biPlanes == 1 &&
         (h.biBitCount == kBits24 || h.biBitCount == kBits32) && h.biCompression == BI_RGB;
}

std::int64_t absHeight(const BitmapInfoHeader& h) {
  return h.biHeight < 0 ? -std::int64_t{h.biHeight} : h.biHeight;
}

// Image row (from the top) that DIB scan line `line` describes.
std::int64_t imageRowOf(const BitmapInfoHeader& h, std::int64_t line) {
  return h.biHeight > 0 ? absHeight(h) - 1 - line : line;
}

// Lines the buffer must hold; -1 when the header or buffer cannot serve them.
std::int64_t usableLines(const BitmapInfoHeader& h, unsigned start, unsigned lines, std::size_t bytes) {
  if (!supported(h)) return -1;
  const std::int64_t n = std::min<std::int64_t>(lines, std::max<std::int64_t>(absHeight(h) - start, 0));
  if (n <= 0) return 0;
  if (static_cast<std::int64_t>(bytes) < n * DibStride(h.biWidth, h.biBitCount)) return -1;
  return n;
}

}  // namespace

bool BitBlt(Dc& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Dc& src, std::int32_t sx,
            std::int32_t sy, RasterOp rop) {
  if (rop != RasterOp::SrcCopy) return false;
  if (w <= 0 || h <= 0) return true;
  // Copy the source block first so that an overlapping copy within one context reads the old pixels.
  const QImage& s = src.target();
  const Canvas d = dst.canvas();
  const std::int64_t x0 = std::max<std::int64_t>({0, -std::int64_t{sx}, d.clip.left - std::int64_t{x}});
  const std::int64_t y0 = std::max<std::int64_t>({0, -std::int64_t{sy}, d.clip.top - std::int64_t{y}});
  const std::int64_t x1 =
      std::min<std::int64_t>({w, s.width() - std::int64_t{sx}, d.clip.right - std::int64_t{x}});
  const std::int64_t y1 =
      std::min<std::int64_t>({h, s.height() - std::int64_t{sy}, d.clip.bottom - std::int64_t{y}});
  if (x0 >= x1 || y0 >= y1) return true;
  const QImage block = s.copy(static_cast<int>(sx + x0), static_cast<int>(sy + y0), static_cast<int>(x1 - x0),
                              static_cast<int>(y1 - y0))
                           .convertToFormat(QImage::Format_RGB32);
  for (int row = 0; row < block.height(); ++row) {
    Argb* to = d.view.row(y + y0 + row) + x + x0;
    const auto* from = reinterpret_cast<const QRgb*>(block.constScanLine(row));
    for (int col = 0; col < block.width(); ++col) to[col] = from[col] | 0xFF000000u;
  }
  return true;
}

int GetDIBits(Dc& /*dc*/, const Bitmap& bitmap, unsigned start, unsigned lines, std::span<std::uint8_t> bits,
              const BitmapInfo& info, unsigned usage) {
  const BitmapInfoHeader& h = info.bmiHeader;
  if (bitmap.isNull() || usage != DIB_RGB_COLORS) return 0;
  const std::int64_t n = usableLines(h, start, lines, bits.size());
  if (n <= 0) return 0;
  const std::int64_t stride = DibStride(h.biWidth, h.biBitCount);
  const int bytesPerPixel = h.biBitCount / 8;
  const QImage& img = bitmap.image();
  for (std::int64_t line = 0; line < n; ++line) {
    std::uint8_t* out = bits.data() + line * stride;
    std::memset(out, 0, static_cast<std::size_t>(stride));
    const std::int64_t row = imageRowOf(h, start + line);
    if (row < 0 || row >= img.height()) continue;
    const auto* px = reinterpret_cast<const QRgb*>(img.constScanLine(static_cast<int>(row)));
    const std::int64_t cols = std::min<std::int64_t>(h.biWidth, img.width());
    for (std::int64_t x = 0; x < cols; ++x) {
      std::uint8_t* p = out + x * bytesPerPixel;
      p[0] = static_cast<std::uint8_t>(qBlue(px[x]));
      p[1] = static_cast<std::uint8_t>(qGreen(px[x]));
      p[2] = static_cast<std::uint8_t>(qRed(px[x]));
    }
  }
  return static_cast<int>(n);
}

int SetDIBitsToDevice(Dc& dc, std::int32_t x, std::int32_t y, std::uint32_t w, std::uint32_t h,
                      std::int32_t xSrc, std::int32_t ySrc, unsigned start, unsigned lines,
                      std::span<const std::uint8_t> bits, const BitmapInfo& info, unsigned usage) {
  const BitmapInfoHeader& hd = info.bmiHeader;
  if (usage != DIB_RGB_COLORS) return 0;
  const std::int64_t n = usableLines(hd, start, lines, bits.size());
  if (n <= 0) return 0;
  const std::int64_t stride = DibStride(hd.biWidth, hd.biBitCount);
  const int bytesPerPixel = hd.biBitCount / 8;
  const bool bottomUp = hd.biHeight > 0;
  const Canvas c = dc.canvas();
  for (std::int64_t i = 0; i < n; ++i) {
    const std::int64_t line = std::int64_t{start} + i;
    // The source rectangle counts its rows in the bitmap's own direction.
    const std::int64_t fromEdge = line - ySrc;
    if (fromEdge < 0 || fromEdge >= std::int64_t{h}) continue;
    const std::int64_t dy = bottomUp ? std::int64_t{y} + h - 1 - fromEdge : std::int64_t{y} + fromEdge;
    if (dy < c.clip.top || dy >= c.clip.bottom) continue;
    const std::uint8_t* in = bits.data() + i * stride;
    Argb* out = c.view.row(dy);
    for (std::int64_t col = 0; col < std::int64_t{w}; ++col) {
      const std::int64_t sxp = std::int64_t{xSrc} + col;
      const std::int64_t dx = std::int64_t{x} + col;
      if (sxp < 0 || sxp >= hd.biWidth || dx < c.clip.left || dx >= c.clip.right) continue;
      const std::uint8_t* p = in + sxp * bytesPerPixel;
      out[dx] = qRgb(p[2], p[1], p[0]);
    }
  }
  return static_cast<int>(n);
}

bool DrawIconEx(Dc& dc, std::int32_t x, std::int32_t y, const QImage& icon, std::int32_t cx, std::int32_t cy,
                unsigned /*step*/, const Brush& /*flickerFree*/, unsigned flags) {
  if (icon.isNull() || (flags & DI_NORMAL) == 0 || cx < 0 || cy < 0) return false;
  QImage pixels = icon.convertToFormat(QImage::Format_ARGB32);
  const int width = cx ? cx : pixels.width();
  const int height = cy ? cy : pixels.height();
  if (pixels.size() != QSize(width, height))
    pixels = pixels.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if ((flags & DI_NORMAL) == DI_MASK) {
    // The mask alone: covered pixels go black in proportion to the icon's opacity.
    for (int row = 0; row < height; ++row) {
      auto* px = reinterpret_cast<QRgb*>(pixels.scanLine(row));
      for (int col = 0; col < width; ++col) px[col] = qRgba(0, 0, 0, qAlpha(px[col]));
    }
  } else if ((flags & DI_NORMAL) == DI_IMAGE) {
    pixels =
        pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_RGB32);
  }
  QPainter p(&dc.target());
  if (!p.isActive()) return false;
  ApplyClip(p, dc);
  p.drawImage(x, y, pixels);
  return true;
}

}  // namespace kelvane::gdi
