#include "controls/button/colors.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPalette>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace kelvane::controls {

// Channels, not one opaque number, when a comparison fails.
void PrintTo(const SchemeColors& s, std::ostream* os) {
  const auto rgb = [os](const char* name, std::int32_t c) {
    *os << name << "(" << (c & 0xFF) << "," << ((c >> 8) & 0xFF) << "," << ((c >> 16) & 0xFF) << ") ";
  };
  rgb("Face", s.FaceColor);
  rgb("Light", s.LightColor);
  rgb("Highlight", s.HighlightColor);
  rgb("Shadow", s.ShadowColor);
  rgb("DarkShadow", s.DarkShadowColor);
  rgb("Text", s.TextColor);
  rgb("TextOver", s.TextOverColor);
  rgb("Selection", s.SelectionColor);
  rgb("SelectionTint", s.SelectionTintColor);
  rgb("LiftedFace", s.LiftedFaceColor);
  rgb("Mask", s.MaskRgb);
}

namespace test {
namespace {

constexpr std::int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr std::int32_t Grey(int v) { return Rgb(v, v, v); }
constexpr std::int32_t Sys(int index) {
  return static_cast<std::int32_t>(0x80000000u | static_cast<unsigned>(index));
}
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Each case is named by its `name` field.
struct ByName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& tested) const {
    return tested.param.name;
  }
};

// ---- ShadeColor ----

struct Shade {
  const char* name;
  std::int32_t colour, amount;
  bool proportionalBlue, softBevel;
  std::int32_t expected;
};

class ShadeColorTest : public ::testing::TestWithParam<Shade> {};

TEST_P(ShadeColorTest, GivesTheWorkedResult) {
  const Shade& s = GetParam();
  EXPECT_EQ(ShadeColor(s.colour, s.amount, s.proportionalBlue, s.softBevel), s.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShadeColorTest,
    ::testing::Values(
        Shade{"PlainLiftMovesEveryChannelAlike", Rgb(48, 32, 16), 48, false, false, Rgb(96, 80, 64)},
        Shade{"ProportionalBlueGainsOnlyAQuarterAtSixteen", Rgb(48, 32, 16), 48, true, false,
              Rgb(96, 80, 20)},
        Shade{"ProportionalBlueOnGrey200", Grey(200), 48, true, false, Rgb(248, 248, 250)},
        Shade{"ProportionalBlueStaysAtZero", Grey(0), 48, true, false, Rgb(48, 48, 0)},
        Shade{"ProportionalBlueClampsAt255", Grey(255), 48, true, false, Grey(255)},
        // -5000 / 192 = -26.04: toward zero gives 74, not 73.
        Shade{"ProportionalDarkeningTruncatesTowardZero", Grey(100), -50, true, false, Rgb(50, 50, 74)},
        Shade{"ClampsAt255", Rgb(250, 10, 255), 31, false, false, Rgb(255, 41, 255)},
        Shade{"ClampsAtZero", Rgb(10, 100, 50), -64, false, false, Rgb(0, 36, 0)},
        Shade{"ZeroAmountLeavesTheColour", Rgb(12, 34, 56), 0, false, false, Rgb(12, 34, 56)},
        Shade{"SoftBevelHalvesADarkening", Grey(100), -64, false, true, Grey(68)},
        Shade{"SoftBevelHalvesAnOddLiftTowardZero", Grey(100), 47, false, true, Grey(123)},
        Shade{"SoftBevelTurnsOneIntoNothing", Grey(100), 1, false, true, Grey(100)},
        Shade{"SoftBevelTurnsMinusOneIntoNothing", Grey(100), -1, false, true, Grey(100)},
        Shade{"SoftBevelHalvesMinusThreeToMinusOne", Grey(100), -3, false, true, Grey(99)},
        // 24 after halving; blue 200 gains 200 * 24 / 192 = 25.
        Shade{"SoftBevelHalvesBeforeTheProportion", Grey(200), 48, true, true, Rgb(224, 224, 225)},
        Shade{"LargestAmountSaturates", Rgb(1, 2, 3), kMax, false, false, Grey(255)},
        Shade{"LargestProportionalAmountSaturates", Rgb(1, 2, 255), kMax, true, false, Grey(255)},
        Shade{"SmallestAmountSaturates", Rgb(254, 253, 252), kMin, false, false, Grey(0)},
        Shade{"SmallestProportionalAmountSaturates", Rgb(254, 253, 1), kMin, true, false, Grey(0)},
        // A stray system-colour flag is dropped, never carried into the channels.
        Shade{"FlaggedValueShadesItsLowBytes", static_cast<std::int32_t>(0x80321E0Au), 10, false, false,
              Rgb(20, 40, 60)}),
    ByName());

// ---- TintColor ----

struct Tint {
  const char* name;
  std::int32_t colour, floor, expected;
};

class TintColorTest : public ::testing::TestWithParam<Tint> {};

TEST_P(TintColorTest, GivesTheWorkedResult) {
  const Tint& t = GetParam();
  EXPECT_EQ(TintColor(t.colour, t.floor), t.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TintColorTest,
    ::testing::Values(
        // 176 + 79 * 128 / 255 = 176 + 39.65.
        Tint{"NavyAtFloor176", Rgb(0, 0, 128), 176, Rgb(176, 176, 215)},
        Tint{"BlackBecomesTheFloor", Grey(0), 176, Grey(176)},
        Tint{"WhiteStaysWhite", Grey(255), 176, Grey(255)},
        // 176 + 79 / 255 and 176 + 79 * 254 / 255 = 176 + 78.69, both truncated.
        Tint{"TruncatesEachChannel", Rgb(1, 254, 128), 176, Rgb(176, 254, 215)},
        // 128 + 127 * 100 / 255 = 128 + 49.8.
        Tint{"Floor128", Rgb(255, 0, 100), 128, Rgb(255, 128, 177)},
        Tint{"FloorZeroLeavesTheColour", Rgb(12, 34, 56), 0, Rgb(12, 34, 56)},
        Tint{"FloorAbove255ClampsToWhite", Rgb(0, 128, 255), 300, Grey(255)},
        // -100 + 355 * 128 / 255 = 78; red would be -100 and borrow from green unclamped.
        Tint{"NegativeFloorClampsAtZero", Rgb(0, 128, 255), -100, Rgb(0, 78, 255)},
        Tint{"SmallestFloorNeitherOverflowsNorBleeds", Rgb(0, 0, 255), kMin, Rgb(0, 0, 255)}),
    ByName());

// ---- System colours ----

// A palette whose button roles are all distinct, so each working colour shows where it came from.
constexpr std::int32_t kBtnFace = Rgb(60, 90, 150);
constexpr std::int32_t kBtnShadow = Rgb(30, 40, 50);
constexpr std::int32_t k3DLight = Rgb(210, 211, 212);
constexpr std::int32_t k3DDkShadow = Rgb(5, 6, 7);
constexpr std::int32_t kBtnHighlight = Rgb(250, 251, 252);
constexpr std::int32_t kBtnText = Rgb(1, 2, 3);
constexpr std::int32_t kHighlight = Rgb(0, 0, 128);

class KnownPalette : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = QApplication::palette();
    QPalette pal = saved_;
    const auto set = [&pal](QPalette::ColorRole role, std::int32_t c) {
      pal.setColor(QPalette::Active, role, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    };
    set(QPalette::Button, kBtnFace);
    set(QPalette::Dark, kBtnShadow);
    set(QPalette::Midlight, k3DLight);
    set(QPalette::Shadow, k3DDkShadow);
    set(QPalette::Light, kBtnHighlight);
    set(QPalette::ButtonText, kBtnText);
    set(QPalette::Highlight, kHighlight);
    QApplication::setPalette(pal);
  }
  void TearDown() override { QApplication::setPalette(saved_); }

 private:
  QPalette saved_;
};

struct Translation {
  const char* name;
  std::int32_t colour, expected;
};

class TranslateSystemColorTest : public KnownPalette, public ::testing::WithParamInterface<Translation> {};

TEST_P(TranslateSystemColorTest, GivesThePlainValue) {
  EXPECT_EQ(TranslateSystemColor(GetParam().colour), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, TranslateSystemColorTest,
                         ::testing::Values(Translation{"PlainPassesThrough", 0x123456, 0x123456},
                                           Translation{"ButtonFace", Sys(15), kBtnFace},
                                           Translation{"ButtonText", Sys(18), kBtnText},
                                           Translation{"IndexOutOfRangeIsBlack", Sys(0x40), 0},
                                           Translation{"StrayBitsBesideTheIndexAreBlack", Sys(0x10F), 0},
                                           Translation{"AllBitsSetIsBlack", -1, 0}),
                         ByName());

// ---- ComputeSchemeColors ----

constexpr std::int32_t kBack = Rgb(100, 150, 200);
constexpr std::int32_t kFore = Rgb(10, 20, 30);
constexpr std::int32_t kForeOver = Rgb(40, 50, 60);
constexpr std::int32_t kMask = Rgb(255, 0, 255);
constexpr std::int32_t kContainerBack = Rgb(240, 230, 140);
constexpr std::int32_t kContainerText = Rgb(12, 34, 56);

SchemeInputs Inputs(std::int32_t scheme, std::int32_t buttonType = 2, bool soft = false) {
  SchemeInputs in;
  in.ColorScheme = scheme;
  in.ButtonType = buttonType;
  in.BackColor = kBack;
  in.ForeColor = kFore;
  in.ForeOver = kForeOver;
  in.MaskColor = kMask;
  in.SoftBevel = soft;
  in.ContainerBackColor = kContainerBack;
  in.ContainerTextColor = kContainerText;
  return in;
}

// Field order: Face, Light, Highlight, Shadow, DarkShadow, Text, TextOver, Selection, SelectionTint,
// LiftedFace, Mask.
constexpr SchemeColors kOwn{kBack,
                            Rgb(131, 181, 231),
                            Rgb(147, 197, 247),
                            Rgb(36, 86, 136),
                            Rgb(0, 0, 8),
                            kFore,
                            kForeOver,
                            Rgb(0, 22, 72),
                            kBack,
                            Rgb(148, 198, 248),
                            kMask};
constexpr SchemeColors kClassic{Grey(192), Grey(223),      Grey(255),          Grey(128), Grey(0), Grey(0),
                                Grey(0),   Rgb(0, 0, 128), Rgb(173, 173, 209), Grey(240), kMask};
constexpr SchemeColors kContainer{
    kContainerBack, Rgb(255, 255, 171), Rgb(255, 255, 187), Rgb(176, 166, 76),  Rgb(48, 38, 0),
    kContainerText, kContainerText,     kHighlight,         Rgb(176, 176, 215), Rgb(255, 255, 188),
    kMask};
constexpr SchemeColors kSystem{kBtnFace,           k3DLight,           kBtnHighlight, kBtnShadow,
                               k3DDkShadow,        kBtnText,           kBtnText,      kHighlight,
                               Rgb(176, 176, 215), Rgb(108, 138, 198), kMask};

using SchemeField = std::int32_t SchemeColors::*;  // "T Class::*name" formats apart across versions

SchemeColors With(SchemeColors s, SchemeField field, std::int32_t value) {
  s.*field = value;
  return s;
}

struct Scheme {
  const char* name;
  SchemeInputs in;
  SchemeColors expected;
};

class ComputeSchemeColorsTest : public KnownPalette, public ::testing::WithParamInterface<Scheme> {};

TEST_P(ComputeSchemeColorsTest, GivesTheWorkedColours) {
  EXPECT_EQ(ComputeSchemeColors(GetParam().in), GetParam().expected);
}

SchemeInputs SystemColoursInScheme2() {
  SchemeInputs in = Inputs(2);
  in.BackColor = Sys(15);
  in.ForeColor = Sys(18);
  in.ForeOver = Sys(13);
  in.MaskColor = Sys(16);
  return in;
}

SchemeInputs UntranslatableBackInScheme2() {
  SchemeInputs in = Inputs(2);
  in.BackColor = Sys(99);
  return in;
}

SchemeInputs GreyBack(bool soft) {
  SchemeInputs in = Inputs(2, 2, soft);
  in.BackColor = Grey(192);
  return in;
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, ComputeSchemeColorsTest,
    ::testing::Values(
        Scheme{"OwnColours", Inputs(2), kOwn}, Scheme{"ClassicPalette", Inputs(3), kClassic},
        Scheme{"ContainerColours", Inputs(4), kContainer},
        Scheme{"SystemColoursByDefault", Inputs(1), kSystem},
        Scheme{"SystemColoursForZero", Inputs(0), kSystem},
        Scheme{"SystemColoursForFive", Inputs(5), kSystem},
        Scheme{"SystemColoursForNegative", Inputs(-2), kSystem},
        // Lifted face of style 3: blue gains blue * 48 / 192.
        Scheme{"OwnColoursStyle3LiftsBlueInProportion", Inputs(2, 3),
               With(kOwn, &SchemeColors::LiftedFaceColor, Rgb(148, 198, 250))},
        Scheme{"ContainerStyle3LiftsBlueInProportion", Inputs(4, 3),
               With(kContainer, &SchemeColors::LiftedFaceColor, Rgb(255, 255, 175))},
        Scheme{"SystemStyle3LiftsBlueInProportion", Inputs(1, 3),
               With(kSystem, &SchemeColors::LiftedFaceColor, Rgb(108, 138, 187))},
        Scheme{"ClassicStyle3GreyLiftsAlike", Inputs(3, 3), kClassic},
        Scheme{"OwnColoursStyle4LiftsPlainly", Inputs(2, 4), kOwn},
        // Greys: every step halved before shading; the tint is not a shade.
        Scheme{"OwnGreyHard", GreyBack(false),
               SchemeColors{Grey(192), Grey(223), Grey(239), Grey(128), Grey(0), kFore, kForeOver, Grey(64),
                            Grey(192), Grey(240), kMask}},
        Scheme{"OwnGreySoft", GreyBack(true),
               SchemeColors{Grey(192), Grey(207), Grey(215), Grey(160), Grey(96), kFore, kForeOver, Grey(128),
                            Grey(192), Grey(216), kMask}},
        Scheme{"ContainerSoft", Inputs(4, 2, true),
               SchemeColors{kContainerBack, Rgb(255, 245, 155), Rgb(255, 253, 163), Rgb(208, 198, 108),
                            Rgb(144, 134, 44), kContainerText, kContainerText, kHighlight, Rgb(176, 176, 215),
                            Rgb(255, 254, 164), kMask}},
        Scheme{"ClassicSoftHalvesOnlyTheLift", Inputs(3, 2, true),
               With(kClassic, &SchemeColors::LiftedFaceColor, Grey(216))},
        Scheme{"SystemSoftHalvesOnlyTheLift", Inputs(1, 2, true),
               With(kSystem, &SchemeColors::LiftedFaceColor, Rgb(84, 114, 174))},
        // Face (60, 90, 150) from the palette, then shaded: the flag must be gone first.
        Scheme{"SystemColoursTranslatedBeforeShading", SystemColoursInScheme2(),
               SchemeColors{kBtnFace, Rgb(91, 121, 181), Rgb(107, 137, 197), Rgb(0, 26, 86), Grey(0),
                            kBtnText, kHighlight, Rgb(0, 0, 22), kBtnFace, Rgb(108, 138, 198), kBtnShadow}},
        Scheme{"UntranslatableBackIsABlackFace", UntranslatableBackInScheme2(),
               SchemeColors{Grey(0), Grey(31), Grey(47), Grey(0), Grey(0), kFore, kForeOver, Grey(0), Grey(0),
                            Grey(48), kMask}}),
    ByName());

class SchemeInputsIgnored : public KnownPalette, public ::testing::WithParamInterface<std::int32_t> {};

// Only scheme 2 reads the button's own colours.
TEST_P(SchemeInputsIgnored, OwnColoursMatterOnlyToScheme2) {
  const std::int32_t scheme = GetParam();
  SchemeInputs other = Inputs(scheme);
  if (scheme != 2) {
    other.BackColor = Rgb(7, 7, 7);
    other.ForeColor = Rgb(8, 8, 8);
    other.ForeOver = Rgb(9, 9, 9);
  }
  EXPECT_EQ(ComputeSchemeColors(other), ComputeSchemeColors(Inputs(scheme)));
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeInputsIgnored, ::testing::Values(1, 2, 3, 4, 7));

}  // namespace
}  // namespace test
}  // namespace kelvane::controls
