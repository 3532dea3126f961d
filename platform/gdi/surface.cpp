#include "platform/gdi/surface.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace kelvane::gdi {

Surface::Surface(QSize size, QRgb background) : background_(background) { resize(size); }

void Surface::resize(QSize size) {
  size = size.expandedTo(QSize(1, 1));
  if (size == image_.size()) return;
  QImage next(size, QImage::Format_RGB32);
  next.fill(background_);
  if (image_.format() == QImage::Format_RGB32 && image_.devicePixelRatio() == 1.0) {
    // Row by row, as a painter would copy them, without making the new image a paint engine that
    // only text ever needs.
    const int w = std::min(image_.width(), size.width()), h = std::min(image_.height(), size.height());
    for (int y = 0; y < h; ++y)
      std::memcpy(next.scanLine(y), image_.constScanLine(y), static_cast<std::size_t>(w) * sizeof(QRgb));
  } else if (!image_.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, image_);
  }
  image_ = std::move(next);
}

void Surface::clear() { image_.fill(background_); }

}  // namespace kelvane::gdi
