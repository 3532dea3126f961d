// The one symbol the window's module shows the front.
#include "app/window_main.h"

extern "C" __attribute__((visibility("default"))) int kelvane_window_main(int argc, char** argv) {
  return kelvane::app::RunKelvane(argc, argv);
}
