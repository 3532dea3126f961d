#include "controls/button/picture_plan.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kelvane::controls {

void PrintTo(const PicturePass& p, std::ostream* os) {
  *os << (p.Source == PictureSource::Over ? "Over" : "Normal") << " d(" << p.Dx << "," << p.Dy << ") tint "
      << p.Tint << (p.DarkOnly ? " dark" : "") << (p.Greyscale ? " grey" : "") << (p.Blend ? " blend" : "");
}

namespace {

using enum PictureSource;

// Distinct colours, so a pass shaded from the wrong one shows.
constexpr std::int32_t kFace = 0x808080, kLifted = 0x606060, kSelTint = 0xA0A0A0;
constexpr std::int32_t kShadow = 0x404040, kHighlight = 0xE0E0E0;

PicturePass P(PictureSource s, std::int32_t d, std::int32_t tint = -1, bool dark = false, bool grey = false,
              bool blend = false) {
  return {s, d, d, tint, dark, grey, blend};
}

std::int32_t Shade(std::int32_t c, std::int32_t n) { return ShadeColor(c, n, false, false); }

struct Case {
  std::string name;
  bool hasOver = false;
  std::uint8_t state = kPictureUp;
  bool isOver = false;
  std::int32_t type = 2;
  std::int32_t effect = 0;
  bool greyscale = false;
  std::int32_t scheme = 1;
  std::vector<PicturePass> expected;
};

class PicturePlan : public ::testing::TestWithParam<Case> {};

TEST_P(PicturePlan, PassesInDrawingOrder) {
  const Case& c = GetParam();
  PaintOptions in;
  in.HasPictureNormal = true;
  in.HasPictureOver = c.hasOver;
  in.IsOver = c.isOver;
  in.ButtonType = c.type;
  in.SpecialEffect = c.effect;
  in.UseGreyscale = c.greyscale;
  in.ColorScheme = c.scheme;
  in.Colors.FaceColor = kFace;
  in.Colors.LiftedFaceColor = kLifted;
  in.Colors.SelectionTintColor = kSelTint;
  in.Colors.ShadowColor = kShadow;
  in.Colors.HighlightColor = kHighlight;
  EXPECT_EQ(PlanPictures(in, c.state), c.expected);
}

constexpr std::uint8_t kUp = kPictureUp, kDown = kPictureDown, kOff = kPictureDisabled;

INSTANTIATE_TEST_SUITE_P(
    Looks, PicturePlan,
    ::testing::Values(
        // Up, not hovered: greyscale only here; style 9 blends (greyscale wins when composed).
        Case{"UpGrey", false, kUp, false, 2, 0, true, 1, {P(Normal, 0, -1, false, true)}},
        Case{"UpStyle9Blends", false, kUp, false, 9, 0, false, 1, {P(Normal, 0, -1, false, false, true)}},
        Case{"UpStyle9GreyAndBlend", false, kUp, false, 9, 0, true, 1, {P(Normal, 0, -1, false, true, true)}},
        // Hovered: full colour, the hover picture when there is one.
        Case{"HoverInColour", false, kUp, true, 2, 0, true, 1, {P(Normal, 0)}},
        Case{"HoverShowsOver", true, kUp, true, 2, 0, true, 1, {P(Over, 0)}},
        Case{"HoverStyle9LiftsOverAShadow",
             true,
             kUp,
             true,
             9,
             0,
             false,
             1,
             {P(Normal, 1, kShadow), P(Normal, -1)}},
        Case{"HoverStyle9EffectFromTheSelectionTint",
             false,
             kUp,
             true,
             9,
             1,
             false,
             1,
             {P(Normal, 0, Shade(kSelTint, -40)), P(Normal, -2, Shade(kSelTint, 40)), P(Normal, 1, kShadow),
              P(Normal, -1)}},
        Case{"HoverStyle9Scheme2EffectFromTheFace",
             false,
             kUp,
             true,
             9,
             3,
             false,
             2,
             {P(Normal, 0, Shade(kFace, -40)), P(Normal, 1, kShadow), P(Normal, -1)}},
        // Pressed: the hover picture moves a pixel except in style 5; style 9 keeps its own.
        Case{"DownOverMoves", true, kDown, false, 2, 1, false, 1, {P(Over, 1)}},
        Case{"DownOverStyle5Stays", true, kDown, false, 5, 0, false, 1, {P(Over, 0)}},
        Case{"DownStyle9IgnoresOver", true, kDown, false, 9, 0, false, 1, {P(Normal, 0)}},
        Case{"DownShadowEffect",
             false,
             kDown,
             false,
             2,
             3,
             false,
             1,
             {P(Normal, 2, Shade(kFace, -40)), P(Normal, 1)}},
        Case{"DownSunkenLiftedFace",
             false,
             kDown,
             false,
             3,
             2,
             false,
             1,
             {P(Normal, 2, Shade(kLifted, 40)), P(Normal, 0, Shade(kLifted, -40)), P(Normal, 1)}},
        // Disabled, by style.
        Case{"DisabledStyle3Grey", false, kOff, false, 3, 1, false, 1, {P(Normal, 1, -1, false, true)}},
        Case{"DisabledStyle6Flat", false, kOff, false, 6, 1, false, 1, {P(Normal, 0, kShadow, true)}},
        Case{"DisabledStyle9Lighter",
             false,
             kOff,
             false,
             9,
             0,
             false,
             1,
             {P(Normal, 0, Shade(kShadow, 13), true)}},
        Case{"DisabledEngraved",
             true,
             kOff,
             false,
             1,
             1,
             true,
             1,
             {P(Normal, 1, kHighlight, true), P(Normal, 0, kShadow, true)}},
        Case{"UnknownState", false, 3, false, 2, 1, false, 1, {}}),
    [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

TEST(PicturePlan, NothingWithoutTheNormalPictureEvenHoveredWithAnOverPicture) {
  PaintOptions in;
  in.HasPictureOver = true;
  in.IsOver = true;
  EXPECT_TRUE(PlanPictures(in, kPictureUp).empty());
}

TEST(PicturePlan, SoftBevelHalvesTheEffectShades) {
  PaintOptions in;
  in.SpecialEffect = 1;
  in.SoftBevel = true;
  in.Colors.FaceColor = kFace;
  EXPECT_EQ(PlanPictureEffect(in, 0, Normal), (std::vector{P(Normal, 1, 0x6C6C6C), P(Normal, -1, 0x949494)}));
}

}  // namespace
}  // namespace kelvane::controls
