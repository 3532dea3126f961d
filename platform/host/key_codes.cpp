#include "platform/host/key_codes.h"

#include <array>
#include <utility>

#include "platform/host/control.h"

namespace kelvane::host {

namespace {

constexpr int kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109, kVkDecimal = 110,
              kVkDivide = 111, kVkF1 = 112, kMaxFunctionKeys = 24;

constexpr std::array<std::pair<int, int>, 39> kKeyTable{{
    {Qt::Key_Backspace, kVkBack},
    {Qt::Key_Tab, kVkTab},
    {Qt::Key_Backtab, kVkTab},
    {Qt::Key_Return, kVkReturn},
    {Qt::Key_Enter, kVkReturn},
    {Qt::Key_Shift, kVkShift},
    {Qt::Key_Control, kVkControl},
    {Qt::Key_Alt, kVkMenu},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, kVkEscape},
    {Qt::Key_Space, kVkSpace},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, kVkLeft},
    {Qt::Key_Up, kVkUp},
    {Qt::Key_Right, kVkRight},
    {Qt::Key_Down, kVkDown},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, kVkDelete},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_Colon, 186},
}};

int KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return kVkNumpad0 + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Asterisk: return kVkMultiply;
    case Qt::Key_Plus: return kVkAdd;
    case Qt::Key_Minus: return kVkSubtract;
    case Qt::Key_Period: return kVkDecimal;
    case Qt::Key_Slash: return kVkDivide;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (const int vk = KeypadKey(qtKey)) return vk;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kMaxFunctionKeys) return kVkF1 + (qtKey - Qt::Key_F1);
  for (const auto& [qt, vk] : kKeyTable) {
    if (qt == qtKey) return vk;
  }
  return 0;
}

int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= kShiftMask;
  if (modifiers & Qt::ControlModifier) mask |= kCtrlMask;
  if (modifiers & Qt::AltModifier) mask |= kAltMask;
  return mask;
}

int ButtonCodeFromQt(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= kLeftButton;
  if (buttons & Qt::RightButton) code |= kRightButton;
  if (buttons & Qt::MiddleButton) code |= kMiddleButton;
  return code;
}

}  // namespace kelvane::host
