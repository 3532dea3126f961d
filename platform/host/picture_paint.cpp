#include "platform/host/picture_paint.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace kelvane::host {

namespace {

constexpr int kOpaque = 255;

int Blend(int s, int d, int a) { return (s * a + d * (kOpaque - a) + kOpaque / 2) / kOpaque; }

// The source index (0..srcLen-1) that dest index i (0..destLen-1) samples: the source pixel under
// the centre of the destination pixel.
int Sample(int i, int destLen, int srcLen) {
  return static_cast<int>((2LL * i + 1) * srcLen / (2LL * destLen));
}

struct Axis {
  int destStart, destLen, srcStart, srcLen;
  bool mirrored;
};

Axis MakeAxis(int dpos, int dlen, int spos, int slen) {
  return Axis{dlen < 0 ? dpos + dlen : dpos, std::abs(dlen), slen < 0 ? spos + slen : spos, std::abs(slen),
              (dlen < 0) != (slen < 0)};
}

int SourceAt(const Axis& a, int i) {
  const int k = Sample(i, a.destLen, a.srcLen);
  return a.srcStart + (a.mirrored ? a.srcLen - 1 - k : k);
}

}  // namespace

QRgb BlendOver(QRgb src, QRgb dest) {
  const int a = qAlpha(src);
  if (a == 0) return dest | 0xFF000000u;
  if (a == kOpaque) return src;
  return qRgb(Blend(qRed(src), qRed(dest), a), Blend(qGreen(src), qGreen(dest), a),
              Blend(qBlue(src), qBlue(dest), a));
}

void StretchPicture(QImage& dest, PixelRect destRect, const QImage& srcImage, PixelRect srcRect,
                    PaintMode mode) {
  if (dest.isNull() || srcImage.isNull()) return;
  const Axis ax = MakeAxis(destRect.x, destRect.w, srcRect.x, srcRect.w);
  const Axis ay = MakeAxis(destRect.y, destRect.h, srcRect.y, srcRect.h);
  if (ax.destLen == 0 || ay.destLen == 0 || ax.srcLen == 0 || ay.srcLen == 0) return;
  // Bitmaps are stored as RGB32, which reads like ARGB32 once its alpha is forced opaque: no copy.
  const bool rgb32 = srcImage.format() == QImage::Format_RGB32;
  const QImage src = rgb32 || srcImage.format() == QImage::Format_ARGB32
                         ? srcImage
                         : srcImage.convertToFormat(QImage::Format_ARGB32);
  const QRgb forceOpaque = rgb32 ? 0xFF000000u : 0u;
  // Every result is opaque, so for these two formats storing it is all setPixel would do.
  const bool directDest = dest.format() == QImage::Format_RGB32 || dest.format() == QImage::Format_ARGB32;

  // The columns that land on both images, with their source columns, worked out once per call.
  const int destWidth = dest.width(), destHeight = dest.height();
  const int srcWidth = src.width(), srcHeight = src.height();
  std::vector<std::pair<int, int>> columns;
  columns.reserve(static_cast<std::size_t>(ax.destLen));
  for (int i = 0; i < ax.destLen; ++i) {
    const int dx = ax.destStart + i;
    const int sx = SourceAt(ax, i);
    if (dx >= 0 && dx < destWidth && sx >= 0 && sx < srcWidth) columns.emplace_back(dx, sx);
  }
  if (columns.empty()) return;

  for (int j = 0; j < ay.destLen; ++j) {
    const int dy = ay.destStart + j;
    const int sy = SourceAt(ay, j);
    if (dy < 0 || dy >= destHeight || sy < 0 || sy >= srcHeight) continue;
    const auto* srcRow = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    if (directDest) {
      auto* destRow = reinterpret_cast<QRgb*>(dest.scanLine(dy));
      for (const auto& [dx, sx] : columns) {
        const QRgb s = srcRow[sx] | forceOpaque;
        destRow[dx] = mode == PaintMode::Opaque ? (s | 0xFF000000u) : BlendOver(s, destRow[dx]);
      }
    } else {
      for (const auto& [dx, sx] : columns) {
        const QRgb s = srcRow[sx] | forceOpaque;
        dest.setPixel(dx, dy,
                      mode == PaintMode::Opaque ? (s | 0xFF000000u) : BlendOver(s, dest.pixel(dx, dy)));
      }
    }
  }
}

}  // namespace kelvane::host
