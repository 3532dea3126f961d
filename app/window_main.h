#pragma once
// What the program does once the window's module is loaded: the window, the panel item, or a
// run in the terminal, as the command line asks.
namespace kelvane::app {

int RunKelvane(int argc, char** argv);

}  // namespace kelvane::app
