#include "controls/button/styles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "controls/button/style_canvas.h"
#include "controls/button/style_traits.h"
#include "tests/controls/button/style_test_support.h"

namespace kelvane::controls {
namespace {

using namespace style_test;

// The order of the calls.

class Recorder : public StyleCanvas {
 public:
  explicit Recorder(bool isDefault) : isDefault_(isDefault) {}
  std::vector<std::string> calls;

  void Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t c) override {
    Add("Fill", {x, y, w, h}, c);
  }
  void Outline(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t c) override {
    Add("Outline", {x, y, w, h}, c);
  }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t c) override {
    Add("Line", {x1, y1, x2, y2}, c);
  }
  void Pixel(std::int32_t x, std::int32_t y, std::int32_t c) override { Add("Pixel", {x, y}, c); }
  void Bevel(std::int32_t c1, std::int32_t c2, std::int32_t c3, std::int32_t c4, std::int16_t i) override {
    calls.push_back("Bevel " + Name(c1) + " " + Name(c2) + " " + Name(c3) + " " + Name(c4) + " " +
                    std::to_string(i));
  }
  void Ring(std::int32_t c1, std::int32_t c2, std::int16_t i) override {
    calls.push_back("Ring " + Name(c1) + " " + Name(c2) + " " + std::to_string(i));
  }
  void Oval(std::int32_t pen, std::int32_t brush) override {
    calls.push_back("Oval " + Name(pen) + " " + Name(brush));
  }
  void Focus() override { calls.push_back("Focus"); }
  void Caption(CaptionMode mode) override { calls.push_back("Caption " + std::to_string(mode)); }
  void BoldCaption(CaptionMode mode) override { calls.push_back("BoldCaption " + std::to_string(mode)); }
  void PlainCaption(std::int32_t colour) override { calls.push_back("PlainCaption " + Name(colour)); }
  void SetLiftedFace(std::int32_t colour) override { calls.push_back("SetLiftedFace " + Name(colour)); }
  void CopyBackground() override { calls.push_back("CopyBackground"); }
  bool IsDefaultButton() override {
    calls.push_back("D?");
    return isDefault_;
  }

 private:
  void Add(const char* op, std::vector<std::int32_t> args, std::int32_t c) {
    std::string s = op;
    for (const std::int32_t a : args) s += " " + std::to_string(a);
    calls.push_back(s + " " + Name(c));
  }
  bool isDefault_;
};

struct Setting {
  bool over = false;
  bool focus = false;
  bool showFocus = false;
  bool isDefault = false;
  std::int32_t scheme = 1;
  std::int32_t height = 8;
};

PaintOptions Inputs(std::int32_t type, const Setting& s) {
  PaintOptions in;
  in.ButtonType = type;
  in.Width = 20;
  in.Height = s.height;
  in.Colors = Palette();
  in.ColorScheme = s.scheme;
  in.IsOver = s.over;
  in.HasFocus = s.focus;
  in.ShowFocusRect = s.showFocus;
  in.Layout.CaptionRect = {5, 2, 15, 6};
  in.Layout.CaptionWidth = 10;
  in.Layout.CaptionHeight = 4;
  return in;
}

std::vector<std::string> Record(std::int32_t type, Look look, const Setting& s) {
  Recorder r(s.isDefault);
  PaintStyle(look, Inputs(type, s), r);
  return r.calls;
}

// Drops what comes before the first caption: the gradient rows, which the pixel tests check.
std::vector<std::string> FromCaption(std::vector<std::string> calls) {
  std::size_t i = 0;
  while (i < calls.size() && calls[i].find("Caption") == std::string::npos) ++i;
  return {calls.begin() + static_cast<std::ptrdiff_t>(i), calls.end()};
}

struct SequenceCase {
  const char* name;
  std::int32_t type;
  Look look;
  Setting setting;
  std::vector<std::string> expected;
  bool fromCaption = false;
};

const std::vector<SequenceCase>& SequenceCases() {
  static const std::vector<SequenceCase> cases = {
      // Style 2: the default outline needs both the flag and the wish to see the focus.
      {"2 up, default, focus shown",
       2,
       Look::Up,
       {.focus = true, .showFocus = true, .isDefault = true},
       {"Caption 0", "D?", "Bevel Highlight DarkShadow Light Shadow -1", "Focus",
        "Outline 0 0 20 8 DarkShadow"}},
      {"2 up, default, focus hidden",
       2,
       Look::Up,
       {.focus = true, .isDefault = true},
       {"Caption 0", "D?", "Bevel Highlight DarkShadow Light Shadow 0"}},
      {"2 up hovered, focus shown, not default",
       2,
       Look::Up,
       {.over = true, .focus = true, .showFocus = true},
       {"Caption 1", "D?", "Bevel Highlight DarkShadow Light Shadow 0"}},
      {"2 down, default, focus shown",
       2,
       Look::Down,
       {.focus = true, .showFocus = true, .isDefault = true},
       {"Caption 2", "D?", "Outline 0 0 20 8 DarkShadow", "Outline 1 1 18 6 Shadow", "Focus"}},
      {"2 down, not default",
       2,
       Look::Down,
       {.focus = true, .showFocus = true},
       {"Caption 2", "D?", "Bevel DarkShadow Highlight Shadow Light 0"}},
      {"2 disabled never asks for the flag",
       2,
       Look::Disabled,
       {.showFocus = true, .isDefault = true},
       {"Caption 3", "Bevel Highlight DarkShadow Light Shadow 0"}},
      {"1 up",
       1,
       Look::Up,
       {},
       {"Caption 0", "Bevel Highlight Shadow Highlight Shadow -1", "Outline 0 0 20 8 DarkShadow", "Focus"}},
      {"1 down",
       1,
       Look::Down,
       {.over = true},
       {"Caption 2", "Bevel Shadow Highlight Shadow Highlight -1", "Outline 0 0 20 8 DarkShadow", "Focus"}},
      {"1 disabled",
       1,
       Look::Disabled,
       {},
       {"Caption 3", "Bevel Highlight Shadow Highlight Shadow -1", "Outline 0 0 20 8 DarkShadow"}},
      // Style 5: Shade(Face, 12) = 140, Shade(Shadow, -26) = 64, Shade(Shadow, 26) = 116,
      // Shade(Shadow, 16) = 106; the caption frame goes round the caption rectangle (5, 2)-(15, 6).
      {"5 up hovered with focus",
       5,
       Look::Up,
       {.over = true, .focus = true, .showFocus = true},
       {"Fill 1 1 19 7 0x8C8C8C", "Caption 1", "Outline 1 1 19 7 Highlight", "Outline 0 0 19 7 0x404040",
        "Pixel 1 6 0x747474", "Pixel 18 1 0x747474", "Outline 3 1 14 6 0xCC9999"}},
      {"5 up, focus not shown",
       5,
       Look::Up,
       {.focus = true},
       {"Fill 1 1 19 7 0x8C8C8C", "Caption 0", "Outline 1 1 19 7 Highlight", "Outline 0 0 19 7 0x404040",
        "Pixel 1 6 0x747474", "Pixel 18 1 0x747474"}},
      {"5 down with focus",
       5,
       Look::Down,
       {.focus = true, .showFocus = true},
       {"Fill 1 1 18 6 0x6A6A6A", "Outline 0 0 19 7 0x404040", "Line 19 1 19 8 Highlight",
        "Line 1 7 19 7 Highlight", "PlainCaption TextOver", "Outline 3 1 14 6 0xCC9999"}},
      {"5 disabled with focus",
       5,
       Look::Disabled,
       {.focus = true, .showFocus = true},
       {"Caption 4", "Outline 0 0 20 8 Shadow"}},
      // Style 6: Shade(Light, 8) = 208.
      {"6 up", 6, Look::Up, {}, {"Caption 0", "Bevel 0xD0D0D0 Shadow 0xD0D0D0 Shadow 0", "Focus"}},
      {"6 down", 6, Look::Down, {}, {"Caption 2", "Bevel Shadow 0xD0D0D0 Shadow 0xD0D0D0 0", "Focus"}},
      {"6 disabled", 6, Look::Disabled, {}, {"Caption 4", "Bevel 0xD0D0D0 Shadow 0xD0D0D0 Shadow 0"}},
      // Styles 7, 8 and 12 differ only in what frames them.
      {"7 up, mouse away", 7, Look::Up, {}, {"Caption 0", "Ring Highlight Shadow 0", "Focus"}},
      {"8 up, mouse away", 8, Look::Up, {}, {"Caption 0", "Focus"}},
      {"12 up, mouse away", 12, Look::Up, {}, {"Caption 0", "Focus"}},
      {"7 up hovered", 7, Look::Up, {.over = true}, {"Caption 1", "Ring Highlight Shadow 0", "Focus"}},
      {"8 up hovered", 8, Look::Up, {.over = true}, {"Caption 1", "Ring Highlight Shadow 0", "Focus"}},
      {"12 up hovered",
       12,
       Look::Up,
       {.over = true},
       {"Caption 1", "Bevel Highlight DarkShadow Light Shadow 0", "Focus"}},
      {"7 down, mouse away", 7, Look::Down, {}, {"Caption 2", "Ring Shadow Highlight 0", "Focus"}},
      {"8 down, mouse away", 8, Look::Down, {}, {"Caption 2", "Ring Shadow Highlight 0", "Focus"}},
      {"12 down, mouse away",
       12,
       Look::Down,
       {},
       {"Caption 2", "Bevel DarkShadow Highlight Shadow Light 0", "Focus"}},
      {"7 disabled", 7, Look::Disabled, {.over = true}, {"Caption 3", "Ring Highlight Shadow 0"}},
      {"8 disabled", 8, Look::Disabled, {.over = true}, {"Caption 3"}},
      {"12 disabled", 12, Look::Disabled, {.over = true}, {"Caption 3"}},
      // Style 9: Tint(Selection, 128) = (128, 128, 255); Shade(SelectionTint, -32) = (144, 144, 208).
      {"9 up hovered",
       9,
       Look::Up,
       {.over = true},
       {"Fill 1 1 20 8 SelectionTint", "Caption 1", "Outline 0 0 20 8 Selection", "Focus"}},
      {"9 up, mouse away", 9, Look::Up, {}, {"Caption 0", "Focus"}},
      {"9 down, mouse away keeps the outline",
       9,
       Look::Down,
       {},
       {"Caption 2", "Outline 0 0 20 8 Selection", "Focus"}},
      {"9 down hovered",
       9,
       Look::Down,
       {.over = true},
       {"Fill 0 0 20 8 0xFF8080", "Caption 2", "Outline 0 0 20 8 Selection", "Focus"}},
      {"9 down hovered, scheme 2",
       9,
       Look::Down,
       {.over = true, .scheme = 2},
       {"Fill 0 0 20 8 0xD09090", "Caption 2", "Outline 0 0 20 8 Selection", "Focus"}},
      {"9 disabled", 9, Look::Disabled, {.over = true}, {"Caption 4"}},
      {"11 up", 11, Look::Up, {.over = true}, {"CopyBackground", "Caption 1", "Focus"}},
      {"11 down", 11, Look::Down, {}, {"CopyBackground", "Caption 2", "Focus"}},
      {"11 disabled", 11, Look::Disabled, {}, {"CopyBackground", "Caption 3"}},
      // Style 13: Shade(Face, -32) = 96.
      {"13 up, mouse away",
       13,
       Look::Up,
       {.focus = true, .showFocus = true},
       {"Oval Face Face", "Caption 0"}},
      {"13 up hovered", 13, Look::Up, {.over = true}, {"Oval Shadow Face", "Caption 1"}},
      {"13 down",
       13,
       Look::Down,
       {.focus = true, .showFocus = true},
       {"Oval DarkShadow 0x606060", "Caption 2"}},
      {"13 disabled draws no oval", 13, Look::Disabled, {}, {"Caption 3"}},
      // Style 3 after its gradient (lifted face (176, 176, 192): every proportional shade moves blue as
      // much as red and green).
      {"3 up hovered: the warm lines, no flag asked",
       3,
       Look::Up,
       {.over = true, .focus = true, .showFocus = true, .isDefault = true},
       {"Caption 1", "Outline 0 0 20 8 0x733C00", "Pixel 1 1 0x7B4D10", "Pixel 1 6 0x7B4D10",
        "Pixel 18 1 0x7B4D10", "Pixel 18 6 0x7B4D10", "Outline 1 2 18 4 0x31B2FF", "Line 2 6 18 6 0x0096E7",
        "Line 2 1 18 1 0xCEF3FF", "Line 1 2 19 2 0x8CDBFF", "Line 2 3 2 5 0x6BCBFF",
        "Line 17 3 17 5 0x6BCBFF"},
       true},
      {"3 up with focus: the cool lines",
       3,
       Look::Up,
       {.focus = true, .showFocus = true},
       {"Caption 0", "Outline 0 0 20 8 0x733C00", "Pixel 1 1 0x7B4D10", "Pixel 1 6 0x7B4D10",
        "Pixel 18 1 0x7B4D10", "Pixel 18 6 0x7B4D10", "D?", "Outline 1 2 18 4 0xE7AE8C",
        "Line 2 6 18 6 0xEF826B", "Line 2 1 18 1 0xFFE7CE", "Line 1 2 19 2 0xF7D7BD", "Line 2 3 2 5 0xF0D1B5",
        "Line 17 3 17 5 0xF0D1B5"},
       true},
      {"3 up as the default button: the cool lines",
       3,
       Look::Up,
       {.showFocus = true, .isDefault = true},
       {"Caption 0", "Outline 0 0 20 8 0x733C00", "Pixel 1 1 0x7B4D10", "Pixel 1 6 0x7B4D10",
        "Pixel 18 1 0x7B4D10", "Pixel 18 6 0x7B4D10", "D?", "Outline 1 2 18 4 0xE7AE8C",
        "Line 2 6 18 6 0xEF826B", "Line 2 1 18 1 0xFFE7CE", "Line 1 2 19 2 0xF7D7BD", "Line 2 3 2 5 0xF0D1B5",
        "Line 17 3 17 5 0xF0D1B5"},
       true},
      {"3 up with focus not shown: the plain edges",
       3,
       Look::Up,
       {.focus = true, .isDefault = true},
       {"Caption 0", "Outline 0 0 20 8 0x733C00", "Pixel 1 1 0x7B4D10", "Pixel 1 6 0x7B4D10",
        "Pixel 18 1 0x7B4D10", "Pixel 18 6 0x7B4D10", "D?", "Line 2 6 18 6 0x908080",
        "Line 1 5 18 5 0xA09090", "Line 18 2 18 6 0x9C8C8C", "Line 17 3 17 5 0xA89898",
        "Line 2 1 18 1 0xD0C0C0", "Line 1 2 18 2 0xCABABA", "Line 1 2 1 6 0xBBABAB", "Line 2 3 2 5 0xB6A6A6"},
       true},
      {"3 disabled",
       3,
       Look::Disabled,
       {.over = true},
       {"Fill 0 0 20 8 0xA89898", "Caption 5", "Outline 0 0 20 8 0x6C5C5C", "Pixel 1 1 0x786868",
        "Pixel 1 6 0x786868", "Pixel 18 1 0x786868", "Pixel 18 6 0x786868"}},
      // Style 4 pressed: the caption effects shade from the pressed face, Shade(Shadow, -16) = 74, and
      // afterwards from Shade(Face, 48) = 176 again.
      {"4 down",
       4,
       Look::Down,
       {},
       {"Fill 1 1 18 6 0x4A4A4A",    "SetLiftedFace 0x4A4A4A",      "Caption 2",
        "SetLiftedFace 0xB0B0B0",    "Outline 0 0 20 8 DarkShadow", "Outline 1 1 18 6 0x1A1A1A",
        "Outline 2 2 16 4 0x3A3A3A", "Pixel 2 2 0x1A1A1A",          "Pixel 3 3 0x3A3A3A",
        "Pixel 1 1 DarkShadow",      "Pixel 1 6 DarkShadow",        "Pixel 18 1 DarkShadow",
        "Pixel 18 6 DarkShadow",     "Line 17 1 17 5 Shadow",       "Line 1 5 18 5 Shadow",
        "Pixel 16 4 Shadow",         "Line 18 3 18 6 0x4A4A4A",     "Line 3 6 18 6 0x4A4A4A",
        "Line 18 5 16 7 0x3A3A3A",   "Pixel 2 6 0x3A3A3A",          "Pixel 18 2 0x3A3A3A"}},
      {"4 disabled is the up look engraved",
       4,
       Look::Disabled,
       {.over = true},
       {"Fill 1 1 18 6 Light", "Caption 3", "Outline 0 0 20 8 DarkShadow", "Pixel 1 1 DarkShadow",
        "Pixel 1 6 DarkShadow", "Pixel 18 1 DarkShadow", "Pixel 18 6 DarkShadow", "Line 1 2 2 0 Face",
        "Line 3 2 17 2 Highlight", "Line 2 2 2 5 Highlight", "Pixel 3 3 Highlight", "Line 17 1 17 5 Face",
        "Line 1 5 17 5 Face", "Pixel 16 4 Face", "Line 18 2 18 6 Shadow", "Line 2 6 18 6 Shadow",
        "Pixel 17 5 Shadow"}},
      // Style 14: Shade(Shadow, -50) = 40, Shade(Face, -9) = 119, Shade(Shadow, -48) = 42.
      {"14 up hovered as the default button: bold caption",
       14,
       Look::Up,
       {.over = true, .isDefault = true},
       {"Fill 0 0 20 8 Light", "D?", "BoldCaption 1", "Outline 0 0 20 8 0x282828",
        "Outline 1 1 18 6 0x777777", "Fill 2 2 16 2 Highlight", "Fill 2 4 2 2 Highlight", "Focus"}},
      {"14 up hovered",
       14,
       Look::Up,
       {.over = true},
       {"Fill 0 0 20 8 Light", "D?", "Caption 1", "Outline 0 0 20 8 0x282828", "Outline 1 1 18 6 0x777777",
        "Fill 2 2 16 2 Highlight", "Fill 2 4 2 2 Highlight", "Focus"}},
      {"14 down ignores the hover",
       14,
       Look::Down,
       {.over = true, .isDefault = true},
       {"Fill 1 1 20 8 0x777777", "Outline 0 0 20 8 0x2A2A2A", "Line 2 6 18 6 Highlight",
        "Line 18 2 18 7 Highlight", "Caption 7", "Focus"}},
      // Two rows: step 29, so the rows are Highlight - 29 and Highlight - 58 (the second off the button).
      {"14 disabled: the gradient even when hovered, no bold",
       14,
       Look::Disabled,
       {.over = true, .isDefault = true, .height = 2},
       {"Line 0 1 20 1 0xDDDDDD", "Line 0 2 20 2 0xC0C0C0", "Outline 0 0 20 2 0x282828",
        "Outline 1 1 18 0 0x777777", "Fill 2 2 16 2 Highlight", "Fill 2 4 2 -4 Highlight", "Caption 6"}},
  };
  return cases;
}

TEST(PaintStyle, DrawsEachLookInItsOrder) {
  for (const SequenceCase& c : SequenceCases()) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> calls = Record(c.type, c.look, c.setting);
    if (c.fromCaption) calls = FromCaption(calls);
    EXPECT_EQ(calls, c.expected);
  }
}

TEST(PaintStyle, TypesWithoutADrawingDrawNothingInAnyLook) {
  for (const std::int32_t type : {0, 10, kStyleCount + 1, -1, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()}) {
    for (const Look look : {Look::Up, Look::Down, Look::Disabled}) {
      SCOPED_TRACE(type);
      EXPECT_TRUE(
          Record(type, look, {.over = true, .focus = true, .showFocus = true, .isDefault = true}).empty());
    }
  }
}

TEST(PaintStyle, GradientRowsFollowTheSinglePrecisionStepWithHalvesToEven) {
  struct Case {
    std::int32_t k, height;
    std::vector<std::int32_t> amounts;  // rows 1 to height
  };
  const Case cases[] = {
      {25, 25, {-1,  -2,  -3,  -4,  -5,  -6,  -7,  -8,  -9,  -10, -11, -12, -13,
                -14, -15, -16, -17, -18, -19, -20, -21, -22, -23, -24, -25}},
      {25, 8, {-3, -6, -9, -12, -16, -19, -22, -25}},    // 12.5 goes to 12
      {58, 8, {-7, -14, -22, -29, -36, -44, -51, -58}},  // 14.5 to 14, 43.5 to 44
      // 58 / 12 held in single precision times 3 is exactly 14.5 there, so row 3 gets -14; a double
      // product lands just above 14.5 and would give -15.
      {58, 12, {-5, -10, -14, -19, -24, -29, -34, -39, -44, -48, -53, -58}},
      {25, 1, {-25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.k << " over " << c.height);
    std::vector<std::int32_t> got;
    for (std::int32_t y = 1; y <= c.height; ++y) got.push_back(GradientAmount(c.k, c.height, y));
    EXPECT_EQ(got, c.amounts);
  }
  // No height, no step: a direct caller gets no shade rather than a division by zero.
  EXPECT_EQ(GradientAmount(25, 0, 1), 0);
  EXPECT_EQ(GradientAmount(58, -4, 2), 0);
}

// Heights where a row falls on a tie of the single-precision step: a step held in double precision
// would give row 11 of 22 (k 25) -13 and row 7 of 28 (k 58) -15.
TEST(PaintStyle, GradientRowsAtTiesRoundTheSinglePrecisionProduct) {
  struct Case {
    std::int32_t k, height;
    std::vector<std::int32_t> amounts;
  };
  const Case cases[] = {
      {25, 22, {-1,  -2,  -3,  -5,  -6,  -7,  -8,  -9,  -10, -11, -12,
                -14, -15, -16, -17, -18, -19, -20, -22, -23, -24, -25}},
      {58, 28, {-2,  -4,  -6,  -8,  -10, -12, -14, -17, -19, -21, -23, -25, -27, -29,
                -31, -33, -35, -37, -39, -41, -44, -46, -48, -50, -52, -54, -56, -58}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.k << " over " << c.height);
    std::vector<std::int32_t> got;
    for (std::int32_t y = 1; y <= c.height; ++y) got.push_back(GradientAmount(c.k, c.height, y));
    EXPECT_EQ(got, c.amounts);
  }
}

}  // namespace
}  // namespace kelvane::controls
