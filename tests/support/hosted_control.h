#pragma once
// A widget with a host control of a test's own kind, made as the public widgets make theirs: the
// control is a child object of the widget and hears of the widget's events.
#include <QWidget>
#include <utility>

#include "platform/host/control.h"

namespace kelvane::test {

template <class C>
class Hosted : public QWidget {
 public:
  template <class... Args>
  explicit Hosted(QWidget* parent = nullptr, Args&&... args) : QWidget(parent) {
    control_ = new C(*this, std::forward<Args>(args)...);
  }

  C& control() const { return *control_; }
  C* operator->() const { return control_; }

 protected:
  void paintEvent(QPaintEvent* e) override { control_->paintEvent(e); }
  void resizeEvent(QResizeEvent* e) override { control_->resizeEvent(e); }
  void showEvent(QShowEvent* e) override { control_->showEvent(e); }
  void hideEvent(QHideEvent* e) override { control_->hideEvent(e); }
  void focusInEvent(QFocusEvent* e) override {
    QWidget::focusInEvent(e);
    control_->focusInEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QWidget::focusOutEvent(e);
    control_->focusOutEvent(e);
  }
  void keyPressEvent(QKeyEvent* e) override { control_->keyPressEvent(e); }
  void keyReleaseEvent(QKeyEvent* e) override { control_->keyReleaseEvent(e); }
  void mousePressEvent(QMouseEvent* e) override {
    if (!control_->mousePressEvent(e)) QWidget::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { control_->mouseMoveEvent(e); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!control_->mouseReleaseEvent(e)) QWidget::mouseReleaseEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (!control_->mouseDoubleClickEvent(e)) QWidget::mouseDoubleClickEvent(e);
  }
  void enterEvent(QEnterEvent* e) override {
    QWidget::enterEvent(e);
    control_->enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    QWidget::leaveEvent(e);
    control_->leaveEvent(e);
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (control_) control_->changeEvent(e);
  }

 private:
  C* control_ = nullptr;  // a child object; null while the control sets the widget up
};

}  // namespace kelvane::test
