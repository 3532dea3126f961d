#pragma once
#include <thread>

namespace kelvane::app {

// Fontconfig reads its configuration and font list on first use: a third of the work before the
// first frame. Begun on a second thread before the display is opened, that reading runs alongside
// QApplication's set-up instead of delaying the window's first text.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp() { Wait(); }
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  // Returns once fontconfig is ready, so that Qt's first font look-up does not read it a second time.
  void Wait();

 private:
  std::thread reader_;
};

}  // namespace kelvane::app
