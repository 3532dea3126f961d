#include "platform/gdi/dc.h"

#include <QApplication>
#include <QPalette>

namespace kelvane::gdi {

namespace {

bool writable(const QImage& img) {
  return img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32 ||
         img.format() == QImage::Format_ARGB32_Premultiplied;
}

ColorRef paletteColour(const QWidget* w, QPalette::ColorRole role) {
  return fromQRgb(w->palette().color(role).rgb());
}
}  // namespace

Dc::Dc(Surface& surface) : surface_(&surface), bkColor_(fromQRgb(surface.background())) {}

Dc Dc::memory() {
  Dc dc;
  dc.memory_ = true;
  dc.bitmap_ = Bitmap::blank(1, 1);
  return dc;
}

Dc Dc::window(QWidget* window) {
  Dc dc;
  dc.window_ = window;
  if (window) {
    dc.bkColor_ = paletteColour(window, window->backgroundRole());
    dc.textColor_ = paletteColour(window, window->foregroundRole());
  }
  return dc;
}

QImage& Dc::target() {
  if (window_ && !rendered_) {
    rendered_ = true;
    QImage img(window_->size(), QImage::Format_RGB32);
    img.fill(toQRgb(bkColor_));
    window_->render(&img);
    bitmap_ = Bitmap::fromImage(img);
  }
  QImage& img = surface_ ? surface_->image() : bitmap_.image();
  // Pixel work writes 32-bit words; an image someone made in another format is brought to ours.
  if (!img.isNull() && !writable(img)) img.convertTo(QImage::Format_RGB32);
  return img;
}

Bitmap Dc::selectBitmap(const Bitmap& b) {
  if (!memory_ || b.isNull()) return Bitmap{};
  return std::exchange(bitmap_, b);
}

QFont Dc::qfont() const {
  if (!font_.isNull()) return font_.qfont();
  return SurfaceFont(qApp ? QApplication::font() : QFont());
}

Dc CreateCompatibleDC(const Dc* /*reference*/) { return Dc::memory(); }

Bitmap CreateCompatibleBitmap(const Dc& /*dc*/, int width, int height) {
  return Bitmap::blank(width, height);
}

bool MoveToEx(Dc& dc, std::int32_t x, std::int32_t y, Point* previous) {
  if (previous) *previous = dc.position();
  dc.setPosition({x, y});
  return true;
}

bool SetPixelV(Dc& dc, std::int32_t x, std::int32_t y, ColorRef colour) {
  QImage& img = dc.target();
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
  reinterpret_cast<QRgb*>(img.scanLine(y))[x] = toQRgb(colour);
  return true;
}

ColorRef GetPixel(Dc& dc, std::int32_t x, std::int32_t y) {
  const QImage& img = dc.target();
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return CLR_INVALID;
  return fromQRgb(reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]);
}

}  // namespace kelvane::gdi
