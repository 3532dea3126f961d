#include "tests/support/hosted_control.h"

namespace kelvane::test {

KELVANE_CONTROL_EVENTS(HostingWidget, hosted_)

void HostingWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (hosted_) hosted_->changeEvent(e);
}

}  // namespace kelvane::test
