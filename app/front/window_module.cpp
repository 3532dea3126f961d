#include "app/front/window_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace kelvane::front {
namespace {

constexpr const char* kModuleName = "kelvane-window.so";

// The program's own folder: the module's place is known relative to it, whatever the prefix.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/'));
}

}  // namespace

int RunWindowModule(int argc, char** argv) {
  const std::string folder = ProgramFolder();
  const std::string candidates[] = {
      folder + "/" KELVANE_MODULE_FROM_BIN "/" + kModuleName,
      folder + "/" + kModuleName,
  };
  std::string errors;
  for (const std::string& path : candidates) {
    if (::access(path.c_str(), F_OK) != 0) continue;
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      errors = ::dlerror();
      break;
    }
    // Never closed: Qt's objects live until exit.
    if (auto entry = reinterpret_cast<WindowMain>(::dlsym(module, kWindowMainSymbol)))
      return entry(argc, argv);
    errors = path + " has no entry " + kWindowMainSymbol;
    break;
  }
  if (errors.empty()) errors = "no " + std::string(kModuleName) + " in " + candidates[0] + " or " + folder;
  std::fprintf(stderr, "kelvane: cannot load the window's module: %s\n", errors.c_str());
  return 1;
}

}  // namespace kelvane::front
