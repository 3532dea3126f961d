// The kelvane program: --status is answered here, without any GUI library; everything else is
// the window's module.
#include <cstdio>

#include "app/front/status.h"
#include "app/front/window_module.h"

int main(int argc, char** argv) {
  const kelvane::front::StatusArguments status = kelvane::front::ParseStatusArguments(argc, argv);
  if (!status.asked) return kelvane::front::RunWindowModule(argc, argv);
  if (!status.error.empty()) {
    std::fprintf(stderr,
                 "kelvane: %s\nUsage: kelvane [options]\nTry 'kelvane --help' for more information.\n",
                 status.error.c_str());
    return 2;
  }
  return kelvane::front::PrintStatus(status.json);
}
