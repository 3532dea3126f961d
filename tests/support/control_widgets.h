#pragma once
// The two controls as their public widgets make them, for the tests of their insides: each owner
// holds the widget and reads like a pointer to the control the widget owns.
#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>
#include <memory>

#include "controls/button/chameleon_button.h"
#include "controls/progressbar/xp_progressbar.h"

namespace kelvane::test {

template <class Widget, class Control>
class Owned {
 public:
  Owned() : widget_(std::make_unique<Widget>()), control_(host::ControlOf<Control>(widget_.get())) {}
  Control* operator->() const { return control_; }
  Control& operator*() const { return *control_; }
  Control* get() const { return control_; }
  void reset() {
    widget_.reset();
    control_ = nullptr;
  }

 private:
  std::unique_ptr<Widget> widget_;
  Control* control_;
};

using OwnedButton = Owned<Kelvane::chameleonButton, controls::chameleonButton>;
using OwnedBar = Owned<Kelvane::Xp_ProgressBar, controls::Xp_ProgressBar>;

// A button whose widget `parent` owns.
inline controls::chameleonButton* NewButton(QWidget* parent) {
  return host::ControlOf<controls::chameleonButton>(new Kelvane::chameleonButton(parent));
}

}  // namespace kelvane::test
