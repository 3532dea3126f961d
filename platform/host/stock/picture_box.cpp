#include "platform/host/stock/picture_box.h"

#include <QPainter>

namespace kelvane::host::stock {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void PictureBox::setBackColor(std::int32_t color) {
  backColor_ = color;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ColorFromStored(backColor_));
}

}  // namespace kelvane::host::stock
