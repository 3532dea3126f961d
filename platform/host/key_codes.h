#pragma once
// Qt keys and modifiers translated into the virtual key codes the notifications carry.
#include <Qt>

namespace kelvane::host {

inline constexpr int kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18,
                     kVkEscape = 27, kVkSpace = 32, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40,
                     kVkDelete = 46;

// The virtual-key code for a Qt key (letters 'A'..'Z' and digits '0'..'9' keep their
// character code); 0 for a key without one.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Shift 1, Ctrl 2, Alt 4.
int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers);
// Left 1, right 2, middle 4; a set of buttons gives the bit mask; other buttons give 0.
int ButtonCodeFromQt(Qt::MouseButtons buttons);

}  // namespace kelvane::host
