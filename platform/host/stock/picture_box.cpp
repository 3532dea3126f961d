#include "platform/host/stock/picture_box.h"

#include <QPainter>

namespace kelvane::host::stock {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  PublishColors(*this, backColor_, kColorButtonText);
}

void PictureBox::setBackColor(std::int32_t color) {
  backColor_ = color;
  PublishColors(*this, backColor_, kColorButtonText);
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ColorFromStored(backColor_));
}

}  // namespace kelvane::host::stock
