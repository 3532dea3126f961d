#include "app/font_warmup.h"

#include <fontconfig/fontconfig.h>

namespace kelvane::app {

FontConfigWarmUp::FontConfigWarmUp() : reader_([] { FcInit(); }) {}

void FontConfigWarmUp::Wait() {
  if (reader_.joinable()) reader_.join();
}

}  // namespace kelvane::app
