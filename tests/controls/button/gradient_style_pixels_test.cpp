// The pixels of the styles drawn row by row and with rounded outlines (3, 4 and 14), on small
// buttons: whole images built by hand.
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

constexpr std::int32_t kOutlineBlue = Rgb(0, 60, 115);
constexpr std::int32_t kCornerBlue = Rgb(16, 77, 123);

TEST(PaintStyle, Style3UpIsAGradientInsideARoundedBlueOutline) {
  // A lifted face without blue: the proportional shade keeps it at 0 whichever way it moves, where a
  // plain shade would put blue into the lighter lines.
  SchemeColors k;
  k.FaceColor = Rgb(10, 20, 30);
  k.LiftedFaceColor = Rgb(120, 160, 0);
  const auto lifted = [](std::int32_t n) { return Rgb(120 + n, 160 + n, 0); };
  struct Case {
    const char* name;
    bool soft, over;
    std::vector<std::int32_t> rows;   // amounts of rows 1 to 7 (25 / 8 = 3.125 per row)
    std::vector<std::int32_t> edges;  // the plain edge lines, in their order
  };
  const Case cases[] = {
      {"plain", false, false, {-3, -6, -9, -12, -16, -19, -22}, {-48, -32, -36, -24, 16, 10, -5, -10}},
      {"soft: every amount halved toward zero",
       true,
       false,
       {-1, -3, -4, -6, -8, -9, -11},
       {-24, -16, -18, -12, 8, 5, -2, -5}},
      {"hovered, soft: the fixed colours stay", true, true, {-1, -3, -4, -6, -8, -9, -11}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(k, c.soft);
    in.IsOver = c.over;
    const Painted got = Paint(3, Look::Up, in);

    Picture want(20, 8, k.FaceColor);
    for (int y = 1; y <= 7; ++y) want.Row(y, 0, 19, lifted(c.rows[static_cast<std::size_t>(y - 1)]));
    want.Border(0, 0, 19, 7, kOutlineBlue);
    for (const auto& [x, y] : {std::pair{1, 1}, {1, 6}, {18, 1}, {18, 6}}) want.Set(x, y, kCornerBlue);
    if (c.over) {
      want.Border(1, 2, 18, 5, Rgb(255, 178, 49));
      want.Row(6, 2, 17, Rgb(231, 150, 0));
      want.Row(1, 2, 17, Rgb(255, 243, 206));
      want.Row(2, 1, 18, Rgb(255, 219, 140));
      want.Column(2, 3, 4, Rgb(255, 203, 107));
      want.Column(17, 3, 4, Rgb(255, 203, 107));
    } else {
      const auto& e = c.edges;
      want.Row(6, 2, 17, lifted(e[0]));
      want.Row(5, 1, 17, lifted(e[1]));
      want.Column(18, 2, 5, lifted(e[2]));
      want.Column(17, 3, 4, lifted(e[3]));
      want.Row(1, 2, 17, lifted(e[4]));
      want.Row(2, 1, 17, lifted(e[5]));
      want.Column(1, 2, 5, lifted(e[6]));
      want.Column(2, 3, 4, lifted(e[7]));
    }
    ExpectPixels(got.surface, want);
    EXPECT_EQ(got.others, std::vector<std::string>{c.over ? "Caption 1" : "Caption 0"});
  }
}

TEST(PaintStyle, Style3DownIsTheGradientUpsideDownFromAPressedFace) {
  SchemeColors k;
  k.FaceColor = Rgb(10, 20, 30);
  k.LiftedFaceColor = Rgb(120, 160, 0);
  // B = lifted - 32; row H - y gets B shaded by the amount of row y.
  const auto pressed = [](std::int32_t n) { return Rgb(88 + n, 128 + n, 0); };
  const Painted got = Paint(3, Look::Down, Small(k));

  Picture want(20, 8, k.FaceColor);
  const std::int32_t amounts[] = {-3, -6, -9, -12, -16, -19, -22, -25};
  for (int y = 1; y <= 8; ++y) want.Row(8 - y, 0, 19, pressed(amounts[y - 1]));
  want.Border(0, 0, 19, 7, kOutlineBlue);
  for (const auto& [x, y] : {std::pair{1, 1}, {1, 6}, {18, 1}, {18, 6}}) want.Set(x, y, kCornerBlue);
  want.Row(6, 2, 17, pressed(16));
  want.Row(5, 1, 17, pressed(10));
  want.Column(18, 2, 5, pressed(5));
  want.Column(17, 3, 4, k.LiftedFaceColor);
  want.Row(1, 2, 17, pressed(-32));
  want.Row(2, 1, 17, pressed(-24));
  want.Column(1, 2, 5, pressed(-32));
  want.Column(2, 2, 5, pressed(-22));
  ExpectPixels(got.surface, want);
}

TEST(PaintStyle, Style4PressedIsDarkWithARoundedOutline) {
  SchemeColors k;
  k.FaceColor = Grey(128);
  k.ShadowColor = Grey(100);
  k.DarkShadowColor = Grey(20);
  k.LightColor = Grey(230);
  k.HighlightColor = Grey(250);
  k.LiftedFaceColor = Grey(176);
  const Painted got = Paint(4, Look::Down, Small(k));
  // D dark shadow, s shadow 100, p pressed 84, d 68, k 36.
  const Picture want = FromRows(
      {
          "DDDDDDDDDDDDDDDDDDDD",
          "DDkkkkkkkkkkkkkkksDD",
          "DkkddddddddddddddsdD",
          "DkddpppppppppppppspD",
          "DkdpppppppppppppsspD",
          "DsssssssssssssssssdD",
          "DDdppppppppppppppdDD",
          "DDDDDDDDDDDDDDDDDDDD",
      },
      {{'D', Grey(20)}, {'s', Grey(100)}, {'p', Grey(84)}, {'d', Grey(68)}, {'k', Grey(36)}});
  ExpectPixels(got.surface, want);
  EXPECT_EQ(got.others,
            (std::vector<std::string>{"SetLiftedFace 0x545454", "Caption 2", "SetLiftedFace 0xB0B0B0"}));
}

TEST(PaintStyle, Style14UpIsAGlossyGradientWithALightBand) {
  SchemeColors k;
  k.FaceColor = Grey(128);
  k.ShadowColor = Grey(100);
  k.HighlightColor = Grey(200);
  k.LightColor = Grey(230);
  struct Case {
    const char* name;
    bool over, isDefault;
    std::vector<int> rows;  // grey of rows 1 to 7 before the frame (58 / 8 = 7.25 per row)
    const char* caption;
  };
  const Case cases[] = {
      {"gradient", false, false, {193, 186, 178, 171, 164, 156, 149}, "Caption 0"},
      {"hovered: flat light face", true, false, {230, 230, 230, 230, 230, 230, 230}, "Caption 1"},
      {"default: bold caption", false, true, {193, 186, 178, 171, 164, 156, 149}, "BoldCaption 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaintOptions in = Small(k);
    in.IsOver = c.over;
    const Painted got = Paint(14, Look::Up, in, c.isDefault);

    Picture want(20, 8, c.over ? Grey(230) : Grey(128));
    for (int y = 1; y <= 7; ++y) want.Row(y, 0, 19, Grey(c.rows[static_cast<std::size_t>(y - 1)]));
    want.Border(0, 0, 19, 7, Grey(50));
    want.Border(1, 1, 18, 6, Grey(119));
    for (int y = 2; y <= 3; ++y) want.Row(y, 2, 17, Grey(200));
    for (int y = 4; y <= 5; ++y) want.Row(y, 2, 3, Grey(200));
    ExpectPixels(got.surface, want);
    EXPECT_EQ(got.others, std::vector<std::string>{c.caption});
  }
}

// Style 14 disabled, 8 x 28: the gradient shows in columns 4 and 5 between the frame and the bands,
// row 7 at Highlight - 14 (a tie that a double-precision step would round to -15).
TEST(PaintStyle, Style14DisabledIsTheGlossyGradientAtEveryHeight) {
  SchemeColors k;
  k.FaceColor = Grey(128);
  k.ShadowColor = Grey(100);
  k.HighlightColor = Grey(200);
  PaintOptions in = Small(k);
  in.Width = 8;
  in.Height = 28;
  in.IsOver = true;  // the disabled look ignores it
  const Painted got = Paint(14, Look::Disabled, in, true);
  const int amounts[] = {-2,  -4,  -6,  -8,  -10, -12, -14, -17, -19, -21, -23, -25, -27, -29,
                         -31, -33, -35, -37, -39, -41, -44, -46, -48, -50, -52, -54, -56};
  Picture want(8, 28, Grey(128));
  for (int y = 1; y <= 27; ++y) want.Row(y, 0, 7, Grey(200 + amounts[y - 1]));
  want.Border(0, 0, 7, 27, Grey(50));
  want.Border(1, 1, 6, 26, Grey(119));
  for (int y = 2; y <= 3; ++y) want.Row(y, 2, 5, Grey(200));
  for (int y = 4; y <= 25; ++y) want.Row(y, 2, 3, Grey(200));
  ExpectPixels(got.surface, want);
  EXPECT_EQ(got.others, std::vector<std::string>{"Caption 6"});
}

}  // namespace
}  // namespace kelvane::controls
