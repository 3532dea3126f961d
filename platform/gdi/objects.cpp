#include "platform/gdi/objects.h"

#include <algorithm>

namespace kelvane::gdi {

namespace {
constexpr QImage::Format kSurfaceFormat = QImage::Format_RGB32;
const QImage kNoImage;
}  // namespace

Bitmap Bitmap::fromImage(const QImage& image) {
  Bitmap b;
  b.pixels_ = std::make_shared<QImage>(image.convertToFormat(kSurfaceFormat));
  if (b.pixels_->isNull() && !image.isNull()) return Bitmap{};
  return b;
}

Bitmap Bitmap::blank(int w, int h) {
  if (w < 0 || h < 0) return Bitmap{};
  Bitmap b;
  if (w == 0 || h == 0) {
    b.pixels_ = std::make_shared<QImage>();
    return b;
  }
  b.pixels_ = std::make_shared<QImage>(w, h, kSurfaceFormat);
  if (b.pixels_->isNull()) return Bitmap{};
  b.pixels_->fill(0xFF000000u);
  return b;
}

QImage& Bitmap::image() {
  static QImage empty;
  if (!pixels_) {
    empty = QImage();  // a caller may have written into the shared empty image
    return empty;
  }
  return *pixels_;
}

const QImage& Bitmap::image() const { return pixels_ ? *pixels_ : kNoImage; }

Bitmap CreateBitmap(int width, int height, unsigned /*planes*/, unsigned /*bitsPerPixel*/, const void* bits) {
  Bitmap b = Bitmap::blank(width, height);
  if (b.isNull() || !bits || width == 0 || height == 0) return b;
  const auto* words = static_cast<const std::uint32_t*>(bits);
  QImage& img = b.image();
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = 0xFF000000u | words[std::size_t(y) * width + x];
  }
  return b;
}

QFont SurfaceFont(QFont font) {
  if (font.hintingPreference() == QFont::PreferDefaultHinting) {
    font.setHintingPreference(QFont::PreferVerticalHinting);
  }
  return font;
}

}  // namespace kelvane::gdi
