#include "platform/host/stock/image.h"

#include <QPainter>

#include "platform/host/stock/graphical.h"

namespace kelvane::host::stock {

Image::Image(QWidget* parent) : QWidget(parent) { MakeGraphical(*this); }

void Image::setPicture(const host::Picture& picture) {
  picture_ = picture;
  if (!picture_.isNull()) resize(picture_.widthPixels(), picture_.heightPixels());
  update();
}

void Image::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  // Scaled screens show the picture's pixels as whole blocks, as the controls' surfaces are shown.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(0, 0, picture_.image());
}

}  // namespace kelvane::host::stock
