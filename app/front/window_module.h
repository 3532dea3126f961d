#pragma once
// The window, the panel and the terminal's Optimize live in a module the front loads only when
// asked: a start for --status pays for no GUI library.
namespace kelvane::front {

// The module's entry; its name is its exported symbol.
using WindowMain = int (*)(int argc, char** argv);
inline constexpr const char* kWindowMainSymbol = "kelvane_window_main";

// Loads the module beside the program (a build tree) or in its installed folder and runs its
// entry; a module that cannot be loaded is reported on standard error and gives status 1.
int RunWindowModule(int argc, char** argv);

}  // namespace kelvane::front
