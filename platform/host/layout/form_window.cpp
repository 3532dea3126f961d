#include "platform/host/layout/form_window.h"

#include <QCloseEvent>
#include <QPainter>

#include "platform/host/control.h"

#include "platform/host/stock/color.h"

namespace kelvane::host::layout {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent), backColor_(stock::kColorButtonFace) {
  stock::PublishColors(*this, backColor_, stock::kColorButtonText);
}

void FormWindow::setBackColor(std::int32_t color) {
  backColor_ = color;
  stock::PublishColors(*this, backColor_, stock::kColorButtonText);
  update();
}

void FormWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), stock::ColorFromStored(backColor_));
}

void FormWindow::closeEvent(QCloseEvent* e) {
  TerminateControls(this);
  e->accept();
}

}  // namespace kelvane::host::layout
