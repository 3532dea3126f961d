#include "platform/host/picture.h"

#include <QImageReader>
#include <atomic>
#include <cmath>

#include "platform/host/errors.h"
#include "platform/host/units.h"

namespace kelvane::host {

struct Picture::Data {
  PictureType type;
  QImage image;
  std::uint32_t handle;
};

namespace {

std::uint32_t NextHandle() {
  // Handles only need to be distinct and nonzero; a wrap-around skips 0.
  static std::atomic<std::uint32_t> counter{0};
  std::uint32_t h = ++counter;
  while (h == 0) h = ++counter;
  return h;
}

const QImage& EmptyImage() {
  static const QImage empty;
  return empty;
}

}  // namespace

QImage ReadImageFile(const QString& path) {
  if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
    QImageReader png(path, "png");
    png.setAutoDetectImageFormat(false);
    QImage image;
    if (png.read(&image)) return image;
  }
  return QImage(path);
}

int PixelsToHimetricRounded(int pixels) { return static_cast<int>(std::lround(PixelsToHimetric(pixels))); }

Picture Picture::fromBitmap(const QImage& pixels) {
  if (pixels.isNull()) return {};
  return Picture(std::make_shared<const Data>(
      Data{PictureType::Bitmap, pixels.convertToFormat(QImage::Format_RGB32), NextHandle()}));
}

Picture Picture::fromIcon(const QImage& pixels) {
  if (pixels.isNull()) return {};
  return Picture(std::make_shared<const Data>(
      Data{PictureType::Icon, pixels.convertToFormat(QImage::Format_ARGB32), NextHandle()}));
}

Picture Picture::load(const QString& path, PictureType type) {
  const QImage img = ReadImageFile(path);
  if (img.isNull()) return {};
  return type == PictureType::Icon ? fromIcon(img) : fromBitmap(img);
}

Picture Picture::loadResource(const QString& path, PictureType type) {
  Picture p = load(path, type);
  if (p.isNull()) {
    throw RuntimeError(kErrResourceNotFound,
                       "Resource not found: the picture \"" + path.toStdString() + "\" cannot be read");
  }
  return p;
}

PictureType Picture::type() const { return data_ ? data_->type : PictureType::None; }
std::uint32_t Picture::handle() const { return data_ ? data_->handle : 0; }
int Picture::widthPixels() const { return data_ ? data_->image.width() : 0; }
int Picture::heightPixels() const { return data_ ? data_->image.height() : 0; }
int Picture::widthHimetric() const { return PixelsToHimetricRounded(widthPixels()); }
int Picture::heightHimetric() const { return PixelsToHimetricRounded(heightPixels()); }
const QImage& Picture::image() const { return data_ ? data_->image : EmptyImage(); }

}  // namespace kelvane::host
