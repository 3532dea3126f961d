#include "platform/host/stock/shape.h"

#include <QPainter>

#include "platform/host/stock/graphical.h"

namespace kelvane::host::stock {

Shape::Shape(QWidget* parent) : QWidget(parent) { MakeGraphical(*this); }

void Shape::setFillColor(std::int32_t color) {
  fillColor_ = color;
  update();
}

void Shape::setFillStyle(stock::FillStyle style) {
  fillStyle_ = style;
  update();
}

void Shape::setBorderColor(std::int32_t color) {
  borderColor_ = color;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter p(this);
  if (fillStyle_ == stock::FillStyle::Solid) p.fillRect(rect(), ColorFromStored(fillColor_));
  // Four 1-pixel strips on the outermost rows and columns.
  const QColor border = ColorFromStored(borderColor_);
  const int r = width() - 1;
  const int b = height() - 1;
  p.fillRect(0, 0, width(), 1, border);
  p.fillRect(0, b, width(), 1, border);
  p.fillRect(0, 0, 1, height(), border);
  p.fillRect(r, 0, 1, height(), border);
}

}  // namespace kelvane::host::stock
