#include "platform/gdi/surface.h"

#include <QPainter>

namespace kelvane::gdi {

Surface::Surface(QSize size, QRgb background) : background_(background) { resize(size); }

void Surface::resize(QSize size) {
  size = size.expandedTo(QSize(1, 1));
  if (size == image_.size()) return;
  QImage next(size, QImage::Format_RGB32);
  next.fill(background_);
  QPainter p(&next);
  if (!image_.isNull()) p.drawImage(0, 0, image_);
  p.end();
  image_ = std::move(next);
}

void Surface::clear() { image_.fill(background_); }

}  // namespace kelvane::gdi
