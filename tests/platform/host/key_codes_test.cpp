// The codes the notifications carry for keys, modifiers, buttons and mouse pointers: the classic
// virtual-key numbers a handler written for them compares with.
#include <gtest/gtest.h>

#include "platform/host/control.h"
#include "platform/host/key_codes.h"
#include "platform/host/mouse_pointer.h"

namespace kelvane::host {
namespace {

TEST(KeyCodes, EachKeyHasItsClassicVirtualKey) {
  // Letters and digits keep their character code; F1 to F24 are 112 to 135, and there is no 25th;
  // the rest as a US keyboard has them, shifted or not.
  const int plain[][2] = {{Qt::Key_A, 'A'},          {Qt::Key_Z, 'Z'},
                          {Qt::Key_0, '0'},          {Qt::Key_9, '9'},
                          {Qt::Key_F1, 112},         {Qt::Key_F12, 123},
                          {Qt::Key_F24, 135},        {Qt::Key_F25, 0},
                          {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},
                          {Qt::Key_Backtab, 9},      {Qt::Key_Return, 13},
                          {Qt::Key_Enter, 13},       {Qt::Key_Shift, 16},
                          {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
                          {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},
                          {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},
                          {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
                          {Qt::Key_End, 35},         {Qt::Key_Home, 36},
                          {Qt::Key_Left, 37},        {Qt::Key_Up, 38},
                          {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
                          {Qt::Key_Print, 44},       {Qt::Key_Insert, 45},
                          {Qt::Key_Delete, 46},      {Qt::Key_Menu, 93},
                          {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},
                          {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},
                          {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},
                          {Qt::Key_Comma, 188},      {Qt::Key_Minus, 189},
                          {Qt::Key_Period, 190},     {Qt::Key_Slash, 191},
                          {Qt::Key_QuoteLeft, 192},  {Qt::Key_BracketLeft, 219},
                          {Qt::Key_Backslash, 220},  {Qt::Key_BracketRight, 221},
                          {Qt::Key_Apostrophe, 222}, {Qt::Key_Asterisk, 0},
                          {Qt::Key_Meta, 0},         {Qt::Key_Eacute, 0},
                          {Qt::Key_VolumeUp, 0},     {Qt::Key_unknown, 0}};
  // The keypad has codes of its own for digits and operators only.
  const int keypad[][2] = {{Qt::Key_0, 96},      {Qt::Key_9, 105},     {Qt::Key_Asterisk, 106},
                           {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109}, {Qt::Key_Period, 110},
                           {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},  {Qt::Key_Left, 37},
                           {Qt::Key_A, 'A'}};
  for (const auto& [qt, vk] : plain) {
    EXPECT_EQ(VirtualKeyFromQt(qt), vk) << "Qt key 0x" << std::hex << qt;
    EXPECT_EQ(VirtualKeyFromQt(qt, Qt::ShiftModifier), vk) << "Shift and Qt key 0x" << std::hex << qt;
  }
  for (const auto& [qt, vk] : keypad)
    EXPECT_EQ(VirtualKeyFromQt(qt, Qt::KeypadModifier), vk) << "keypad Qt key 0x" << std::hex << qt;
}

TEST(KeyCodes, ModifiersAndButtonsAreBitMasks) {
  const struct {
    Qt::KeyboardModifiers mods;
    int mask;
  } shifts[] = {{{}, 0},
                {Qt::ShiftModifier, 1},
                {Qt::ControlModifier, 2},
                {Qt::AltModifier, 4},
                {Qt::ShiftModifier | Qt::AltModifier, 5},
                {Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 7},
                {Qt::MetaModifier | Qt::KeypadModifier, 0}};
  for (const auto& s : shifts) EXPECT_EQ(ShiftMaskFromQt(s.mods), s.mask) << s.mods;
  const struct {
    Qt::MouseButtons buttons;
    int code;
  } buttons[] = {{Qt::NoButton, 0},
                 {Qt::LeftButton, 1},
                 {Qt::RightButton, 2},
                 {Qt::MiddleButton, 4},
                 {Qt::LeftButton | Qt::RightButton, 3},
                 {Qt::LeftButton | Qt::RightButton | Qt::MiddleButton, 7},
                 {Qt::BackButton | Qt::ForwardButton, 0},
                 {Qt::MiddleButton | Qt::BackButton, 4}};
  for (const auto& b : buttons) EXPECT_EQ(ButtonCodeFromQt(b.buttons), b.code) << b.buttons;
}

// 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 size NE-SW, 7 size N-S, 8 size NW-SE,
// 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question,
// 15 size all; 99 the control's own icon.
TEST(MousePointers, StockCodesGiveTheirCursorsAndOnlyTheyAnd99AreValid) {
  const Qt::CursorShape shapes[] = {
      Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
      Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
      Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
      Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
  for (std::int16_t code = 0; code <= 15; ++code) {
    EXPECT_EQ(CursorShapeForPointer(code), shapes[code]) << code;
    EXPECT_TRUE(IsValidMousePointer(code)) << code;
  }
  for (std::int16_t code : {-1, 16, 98, 100, 32767}) {
    EXPECT_FALSE(IsValidMousePointer(code)) << code;
    EXPECT_EQ(CursorShapeForPointer(code), Qt::ArrowCursor) << code;
  }
  EXPECT_TRUE(IsValidMousePointer(kPointerCustom));
}

}  // namespace
}  // namespace kelvane::host
