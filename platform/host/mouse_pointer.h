#pragma once
// The stored mouse-pointer codes and the Qt cursors that stand in for them.
#include <Qt>
#include <cstdint>

namespace kelvane::host {

// True for 0..15 and 99 (the mouse icon).
bool IsValidMousePointer(std::int16_t code);
// The cursor shape for a stock code 1..15 (0 and 99 are resolved by the control).
Qt::CursorShape CursorShapeForPointer(std::int16_t code);

}  // namespace kelvane::host
