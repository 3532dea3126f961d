#include "platform/gdi/dc.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace kelvane::gdi {

namespace {

bool writable(const QImage& img) {
  return img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32 ||
         img.format() == QImage::Format_ARGB32_Premultiplied;
}
}  // namespace

Dc::Dc(Surface& surface) : surface_(&surface), bkColor_(fromQRgb(surface.background())) {}

Dc Dc::memory() {
  Dc dc;
  dc.memory_ = true;
  dc.bitmap_ = Bitmap::blank(1, 1);
  return dc;
}

Dc Dc::deferred(std::function<QImage()> take, ColorRef background, ColorRef text) {
  Dc dc;
  dc.take_ = std::move(take);
  dc.bkColor_ = background;
  dc.textColor_ = text;
  return dc;
}

QImage& Dc::target() {
  if (take_) bitmap_ = Bitmap::fromImage(std::exchange(take_, nullptr)());
  QImage& img = surface_ ? surface_->image() : bitmap_.image();
  // Pixel work writes 32-bit words; an image someone made in another format is brought to ours.
  if (!img.isNull() && !writable(img)) img.convertTo(QImage::Format_RGB32);
  return img;
}

Canvas Dc::canvas() {
  QImage& img = target();
  if (img.isNull()) return {};
  // One detach for the whole drawing: scanLine would check for a shared image on every row.
  const PixelView view{img.width(), img.height(), img.bytesPerLine() / static_cast<qsizetype>(sizeof(Argb)),
                       reinterpret_cast<Argb*>(img.bits())};
  return MakeCanvas(view, clip_ ? &*clip_ : nullptr);
}

Bitmap Dc::selectBitmap(const Bitmap& b) {
  if (!memory_ || b.isNull()) return Bitmap{};
  return std::exchange(bitmap_, b);
}

QFont Dc::qfont() const {
  if (!font_.isNull()) return font_.qfont();
  return SurfaceFont(qApp ? QGuiApplication::font() : QFont());
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

bool IntersectClipRect(Dc& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  Rect clip{left, top, right, bottom};
  if (const std::optional<Rect>& now = dc.clipRect()) {
    clip = {std::max(clip.left, now->left), std::max(clip.top, now->top), std::min(clip.right, now->right),
            std::min(clip.bottom, now->bottom)};
  }
  if (IsRectEmpty(clip)) clip = {};
  dc.setClipRect(clip);
  return !IsRectEmpty(clip);
}

void ApplyClip(QPainter& painter, const Dc& dc) {
  if (const std::optional<Rect>& c = dc.clipRect()) {
    painter.setClipRect(
        QRect(c->left, c->top, static_cast<int>(RectWidth(*c)), static_cast<int>(RectHeight(*c))));
  }
}

bool SetPixelV(Dc& dc, std::int32_t x, std::int32_t y, ColorRef colour) {
  const Canvas c = dc.canvas();
  if (x < c.clip.left || y < c.clip.top || x >= c.clip.right || y >= c.clip.bottom) return false;
  c.view.row(y)[x] = toQRgb(colour);
  return true;
}

ColorRef GetPixel(Dc& dc, std::int32_t x, std::int32_t y) {
  const QImage& img = dc.target();
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return CLR_INVALID;
  return fromQRgb(reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]);
}

}  // namespace kelvane::gdi
