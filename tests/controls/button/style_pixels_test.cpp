// The flat and bevelled styles' pixels through the primitives, on small buttons: whole images built
// by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/button/style_canvas.h"
#include "controls/button/styles.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "tests/controls/button/style_test_support.h"

namespace kelvane::controls {
namespace {

using namespace style_test;

// Style 1 and 6 bevels, 9's selection face and 12's hover bevel on an 8 x 6 button, beside the
// recorded order above. Captions are traced, not drawn.
TEST(PaintStyle, FlatAndBevelledStylesAsPixels) {
  const SchemeColors k = Palette();
  const std::map<char, std::int32_t> legend = {{'F', Grey(128)},      {'L', Grey(200)},
                                               {'H', Grey(250)},      {'S', Grey(90)},
                                               {'K', Grey(16)},       {'l', Grey(208)},  // Shade(Light, 8)
                                               {'s', Rgb(0, 0, 255)}, {'t', Rgb(176, 176, 240)}};
  struct Case {
    const char* name;
    std::int32_t type;
    Look look;
    bool over;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"1 up: a bevel one pixel in, inside a dark outline",
       1,
       Look::Up,
       false,
       {"KKKKKKKK", "KHHHHHSK", "KHHHHSSK", "KHSSSSSK", "KSSSSSSK", "KKKKKKKK"}},
      {"1 down: the bevel the other way round",
       1,
       Look::Down,
       false,
       {"KKKKKKKK", "KSSSSSHK", "KSSSSHHK", "KSHHHHHK", "KHHHHHHK", "KKKKKKKK"}},
      {"6 down: both rings in one pair",
       6,
       Look::Down,
       false,
       {"SSSSSSSl", "SSSSSSll", "SSFFFFll", "SSFFFFll", "Slllllll", "llllllll"}},
      {"9 up hovered: the tint inside the selection outline",
       9,
       Look::Up,
       true,
       {"ssssssss", "stttttts", "stttttts", "stttttts", "stttttts", "ssssssss"}},
      {"12 up hovered: the full bevel",
       12,
       Look::Up,
       true,
       {"HHHHHHHK", "HLLLLLSK", "HLFFFFSK", "HLFFFFSK", "HSSSSSSK", "KKKKKKKK"}},
      {"12 up, mouse away: only the face",
       12,
       Look::Up,
       false,
       {"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF"}},
      {"8 up, mouse away: only the face",
       8,
       Look::Up,
       false,
       {"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF"}},
      {"8 up hovered: a single ring",
       8,
       Look::Up,
       true,
       {"HHHHHHHS", "HFFFFFFS", "HFFFFFFS", "HFFFFFFS", "HFFFFFFS", "SSSSSSSS"}},
      {"8 down: the ring the other way round",
       8,
       Look::Down,
       false,
       {"SSSSSSSH", "SFFFFFFH", "SFFFFFFH", "SFFFFFFH", "SFFFFFFH", "HHHHHHHH"}},
      {"8 disabled hovered: only the face",
       8,
       Look::Disabled,
       true,
       {"FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(k);
    in.Width = 8;
    in.Height = 6;
    in.IsOver = c.over;
    ExpectPixels(Paint(c.type, c.look, in).surface, FromRows(c.rows, legend));
  }
}

TEST(PaintStyle, BevelsAndRingsLandWhereTheirInsetPutsThem) {
  const SchemeColors k = Palette();
  const std::map<char, std::int32_t> legend = {
      {'F', Grey(128)}, {'L', Grey(200)}, {'H', Grey(250)}, {'S', Grey(90)}, {'K', Grey(16)}};
  struct Case {
    const char* name;
    std::int32_t type;
    bool showFocus, isDefault;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      // One pixel in, inside the dark outline; the bottom rows take the dark colours to the left edge.
      {"2 as the default button",
       2,
       true,
       true,
       {"KKKKKKKK", "KHHHHHKK", "KHLLLSKK", "KHSSSSKK", "KKKKKKKK", "KKKKKKKK"}},
      {"2 otherwise",
       2,
       true,
       false,
       {"HHHHHHHK", "HLLLLLSK", "HLFFFFSK", "HLFFFFSK", "HSSSSSSK", "KKKKKKKK"}},
      {"7: a single ring",
       7,
       false,
       false,
       {"HHHHHHHS", "HFFFFFFS", "HFFFFFFS", "HFFFFFFS", "HFFFFFFS", "SSSSSSSS"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(k);
    in.Width = 8;
    in.Height = 6;
    in.ShowFocusRect = c.showFocus;
    const Painted got = Paint(c.type, Look::Up, in, c.isDefault);
    ExpectPixels(got.surface, FromRows(c.rows, legend));
  }
}

// Style 5 on an 8 x 6 button: Shade(Face, 12) = 140 inside, Shade(Shadow, -26) = 64 outside,
// Shade(Shadow, 26) = 116 at two inner corners, Shade(Shadow, 16) = 106 pressed. The caption at
// (3, 2)-(5, 4) gets its frame (1, 1)-(7, 5) while the focus shows. The bottom-left and top-right
// pixels stay the face: the window's shape cuts them.
TEST(PaintStyle, Style5IsAFlatOutlinedFace) {
  const std::map<char, std::int32_t> legend = {{'F', Grey(128)}, {'H', Grey(250)}, {'S', Grey(90)},
                                               {'f', Grey(140)}, {'d', Grey(64)},  {'p', Grey(116)},
                                               {'n', Grey(106)}, {'c', 0xCC9999}};
  struct Case {
    const char* name;
    Look look;
    bool focus;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"up", Look::Up, false, {"dddddddF", "dHHHHHpH", "dHffffdH", "dHffffdH", "dpdddddH", "FHHHHHHH"}},
      {"down with the focus: the caption framed",
       Look::Down,
       true,
       {"dddddddF", "dccccccH", "dcnnnncH", "dcnnnncH", "dccccccH", "FHHHHHHH"}},
      {"disabled with the focus: no frame",
       Look::Disabled,
       true,
       {"SSSSSSSS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SSSSSSSS"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(Palette());
    in.Width = 8;
    in.Height = 6;
    in.HasFocus = in.ShowFocusRect = c.focus;
    in.Layout.CaptionRect = {3, 2, 5, 4};
    in.Layout.CaptionWidth = in.Layout.CaptionHeight = 2;
    ExpectPixels(Paint(5, c.look, in).surface, FromRows(c.rows, legend));
  }
}

// Style 13 on a 10 x 6 button: the ellipse of the box with a two-pixel pen, its extra pixel to the
// left and above falling off the button (the box's one-pixel outline runs in rows 0 and 5 over
// columns 2 to 7, rows 1 and 4 at columns 1 and 8, rows 2 and 3 at columns 0 and 9).
TEST(PaintStyle, Style13IsAnOvalInThePensColourOfItsLook) {
  const std::vector<std::string> oval = {"ooooooooo.", "ooiiiiiooo", "oiiiiiiioo",
                                         "ooiiiiiooo", "ooooooooo.", ".ooooooo.."};
  struct Case {
    const char* name;
    Look look;
    bool over;
    std::int32_t pen, inside;
  };
  // Pressed: Shade(Face, -32) = 96 inside a dark shadow pen.
  const Case cases[] = {
      {"up, mouse away: face on face", Look::Up, false, Grey(128), Grey(128)},
      {"up hovered: a shadow ring", Look::Up, true, Grey(90), Grey(128)},
      {"down", Look::Down, false, Grey(16), Grey(96)},
      {"disabled hovered: the face alone", Look::Disabled, true, Grey(128), Grey(128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(Palette());
    in.Width = 10;
    in.Height = 6;
    in.IsOver = c.over;
    ExpectPixels(Paint(13, c.look, in).surface,
                 FromRows(oval, {{'.', Grey(128)}, {'o', c.pen}, {'i', c.inside}}));
  }
}

// The dotted focus rectangle inverts the border pixels whose x + y is odd: on a 12 x 12 button inset
// by 3, the border of (3, 3)-(8, 8).
TEST(PaintStyle, TheFocusRectangleSitsWhereTheStylesInsetPutsIt) {
  struct Case {
    std::int32_t type;
    int from, to;
  };
  for (const Case& c : {Case{8, 3, 8}, Case{9, 3, 8}, Case{12, 3, 8}}) {
    SCOPED_TRACE(c.type);
    PaintOptions in = Small(Palette());
    in.Width = in.Height = 12;
    in.HasFocus = in.ShowFocusRect = true;
    Picture want(12, 12, Grey(128));
    for (int y = c.from; y <= c.to; ++y)
      for (int x = c.from; x <= c.to; ++x)
        if ((x == c.from || x == c.to || y == c.from || y == c.to) && (x + y) % 2 == 1)
          want.Set(x, y, Grey(127));
    ExpectPixels(Paint(c.type, Look::Up, in).surface, want);
  }
}

}  // namespace
}  // namespace kelvane::controls
