#pragma once
// A widget with a host control of a test's own kind, made as the public widgets make theirs: the
// control is a child object of the widget and hears of the widget's events.
#include <QWidget>
#include <utility>

#include "platform/host/control.h"

namespace kelvane::test {

class HostingWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  KELVANE_CONTROL_EVENT_DECLARATIONS
  void changeEvent(QEvent* e) override;
  host::Control* hosted_ = nullptr;  // a child object; null while the control sets the widget up
};

template <class C>
class Hosted : public HostingWidget {
 public:
  template <class... Args>
  explicit Hosted(QWidget* parent = nullptr, Args&&... args) : HostingWidget(parent) {
    control_ = new C(*this, std::forward<Args>(args)...);
    hosted_ = control_;
  }

  C& control() const { return *control_; }
  C* operator->() const { return control_; }

 private:
  C* control_ = nullptr;
};

}  // namespace kelvane::test
