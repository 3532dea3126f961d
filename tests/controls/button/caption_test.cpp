#include "controls/button/caption.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <limits>
#include <vector>

#include "platform/gdi/text.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::controls {
namespace {

using gdi::Point;
using gdi::Rect;
using gdi::testing::Paper;

// A fixed-pitch face at a pixel size, so widths and heights can be counted by hand: every character
// is 6 pixels wide and a line is 11 pixels high.
QFont MonoFont() {
  QFont f("DejaVu Sans Mono");
  f.setPixelSize(10);
  return f;
}
constexpr int kCharWidth = 6;
constexpr int kLineHeight = 11;

TEST(CaptionFont, HasTheMetricsTheExpectedLayoutsAreCountedIn) {
  const QFontMetrics fm(MonoFont());
  ASSERT_EQ(fm.horizontalAdvance("x"), kCharWidth);
  ASSERT_EQ(fm.horizontalAdvance("ab cd"), 5 * kCharWidth);
  ASSERT_EQ(fm.height(), kLineHeight);
}

TEST(CaptionLayoutRect, LeavesRoomForThePictureOnItsSide) {
  struct Case {
    std::int32_t position, w, h, pw, ph;
    Rect expected;
  };
  const Rect previous{3, 4, 20, 15};
  const Case cases[] = {
      {0, 80, 30, 16, 12, {17, 1, 78, 28}},
      {1, 80, 30, 32, 12, {1, 1, 46, 28}},  // 80 - 2 - 32
      {2, 80, 40, 16, 12, {1, 13, 78, 38}},
      {3, 80, 40, 16, 12, {1, 1, 78, 26}},
      {4, 80, 30, 16, 12, {1, 1, 78, 28}},
      {0, 80, 30, 0, 0, {1, 1, 78, 28}},
      // Smaller than the picture: the rectangle turns inside out rather than failing.
      {1, 10, 8, 32, 12, {1, 1, -24, 6}},
      // Unknown positions keep the caption's last place.
      {5, 80, 30, 16, 12, previous},
      {-1, 80, 30, 16, 12, previous},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(CaptionLayoutRect(c.position, c.w, c.h, c.pw, c.ph, previous), c.expected);
  }
}

TEST(CaptionCentring, HalvesTheSpareRoomTruncatingTowardZero) {
  struct Case {
    std::int32_t position, w, h, pw, ph;
    Rect measured;
    Point expected;
  };
  const Case cases[] = {
      {0, 80, 30, 16, 16, {17, 1, 29, 12}, {25, 9}},  // (80 - 29) / 2, (30 - 12) / 2
      {1, 80, 30, 32, 16, {1, 1, 13, 12}, {15, 9}},   // (80 - 13 - 32 - 4) / 2
      {2, 80, 40, 16, 8, {1, 9, 13, 20}, {33, 10}},
      {3, 80, 40, 16, 8, {1, 1, 13, 12}, {33, 8}},  // (40 - 12 - 8 - 4) / 2
      {4, 80, 30, 16, 16, {1, 1, 13, 12}, {33, 9}},
      // Wider than the button: -19 / 2 is -9, not -10.
      {0, 30, 20, 0, 0, {1, 1, 49, 12}, {-9, 4}},
      {1, 30, 20, 8, 0, {1, 1, 25, 12}, {-3, 4}},  // (30 - 25 - 8 - 4) / 2 = -7 / 2
      {3, 30, 20, 0, 9, {1, 1, 20, 12}, {5, -2}},  // (20 - 12 - 9 - 4) / 2 = -5 / 2
      {5, 80, 30, 16, 16, {1, 1, 13, 12}, {0, 0}},
      {-3, 80, 30, 16, 16, {1, 1, 13, 12}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(CaptionCentring(c.position, c.w, c.h, c.pw, c.ph, c.measured), c.expected);
  }
}

TEST(CaptionCentring, FarCoordinatesDoNotOverflow) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  // (kMax - kMin - 0 - 4) / 2 needs more than 32 bits on the way.
  EXPECT_EQ(CaptionCentring(1, kMax, 0, 0, 0, {0, 0, kMin, 0}), (Point{kMax - 2, 0}));
  EXPECT_EQ(CaptionCentring(0, kMin, kMin, 0, 0, {0, 0, kMax, kMax}), (Point{kMin + 1, kMin + 1}));
}

TEST(PlacePicture, SitsBesideTheCaptionOrInTheMiddle) {
  struct Case {
    const char* name;
    QString caption;
    std::int32_t position, w, h, pw, ph;
    bool hasPicture;
    Rect captionRect;
    Point expected;
  };
  const Point previous{5, 6};
  const Case cases[] = {
      {"left", "Go", 0, 80, 40, 16, 16, true, {30, 14, 42, 25}, {10, 12}},
      {"right", "Go", 1, 80, 40, 16, 16, true, {30, 14, 42, 25}, {46, 12}},
      {"above", "Go", 2, 80, 40, 16, 8, true, {30, 20, 42, 31}, {32, 10}},
      {"below", "Go", 3, 80, 40, 16, 8, true, {30, 9, 42, 20}, {32, 22}},
      {"behind", "Go", 4, 80, 40, 16, 16, true, {30, 14, 42, 25}, {32, 12}},
      {"odd spare rounds toward zero", "Go", 0, 9, 5, 16, 16, true, {3, 1, 5, 4}, {-17, -5}},
      {"unknown position", "Go", 6, 80, 40, 16, 16, true, {30, 14, 42, 25}, previous},
      {"empty caption", "", 0, 80, 40, 16, 16, true, {40, 20, 40, 20}, {32, 12}},
      {"only spaces", "   ", 1, 80, 40, 16, 16, true, {30, 14, 48, 25}, {32, 12}},
      {"only spaces, unknown position", "  ", 7, 80, 40, 16, 16, true, {30, 14, 42, 25}, {32, 12}},
      // Only spaces are trimmed: a line break is caption enough to push the picture aside.
      {"line break", "\n", 0, 80, 40, 16, 16, true, {40, 15, 40, 26}, {20, 12}},
      {"no picture", "Go", 0, 80, 40, 0, 0, false, {30, 14, 42, 25}, previous},
      {"no picture, empty caption", "", 4, 80, 40, 0, 0, false, {30, 14, 42, 25}, previous},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaptionMeasureInputs in;
    in.Caption = c.caption;
    in.ClientWidth = c.w;
    in.ClientHeight = c.h;
    in.PictureWidth = c.pw;
    in.PictureHeight = c.ph;
    in.PicturePosition = c.position;
    in.HasPicture = c.hasPicture;
    EXPECT_EQ(PlacePicture(in, c.captionRect, previous), c.expected);
  }
}

TEST(MeasureCaption, CentresTheWrappedCaptionInWhatThePictureLeaves) {
  struct Case {
    const char* name;
    QString caption;
    std::int32_t position, w, h, pw, ph;
    bool hasPicture;
    Rect captionRect;
    std::int32_t width, height;
    Point picture;
  };
  const Case cases[] = {
      // Measured in (1, 1, 78, 28) to (1, 1, 13, 12), moved by ((80 - 13) / 2, (30 - 12) / 2).
      {"one line", "ab", 0, 80, 30, 0, 0, false, {34, 10, 46, 21}, 12, 11, {0, 0}},
      {"empty", "", 0, 80, 30, 0, 0, false, {40, 15, 40, 15}, 0, 0, {0, 0}},
      {"doubled prefix shows one &", "A&&B", 0, 80, 30, 0, 0, false, {31, 10, 49, 21}, 18, 11, {0, 0}},
      {"access key prefix takes no room", "&Ok", 0, 80, 30, 0, 0, false, {34, 10, 46, 21}, 12, 11, {0, 0}},
      {"picture left", "ab", 0, 80, 30, 16, 16, true, {42, 10, 54, 21}, 12, 11, {22, 7}},
      {"picture right", "ab", 1, 80, 30, 32, 16, true, {16, 10, 28, 21}, 12, 11, {32, 7}},
      {"picture above", "ab", 2, 80, 40, 16, 8, true, {34, 19, 46, 30}, 12, 11, {32, 9}},
      {"picture below", "ab", 3, 80, 40, 16, 8, true, {34, 9, 46, 20}, 12, 11, {32, 22}},
      {"picture behind", "ab", 4, 80, 30, 16, 16, true, {34, 10, 46, 21}, 12, 11, {32, 7}},
      {"empty caption centres the picture", "", 0, 80, 30, 16, 16, true, {48, 15, 48, 15}, 0, 0, {32, 7}},
      // "ab cd" (30) fits the 37 pixels, "ab cd ef" (48) does not.
      {"wraps at words", "ab cd ef", 0, 40, 30, 0, 0, false, {5, 4, 35, 26}, 30, 22, {0, 0}},
      {"breaks at CR LF", "ab\r\ncdef", 0, 80, 40, 0, 0, false, {28, 9, 52, 31}, 24, 22, {0, 0}},
      {"breaks at LF", "ab\ncdef", 0, 80, 40, 0, 0, false, {28, 9, 52, 31}, 24, 22, {0, 0}},
      // A word wider than the button stays whole and hangs over both sides.
      {"word wider than the button", "abcdefgh", 0, 30, 20, 0, 0, false, {-8, 5, 40, 16}, 48, 11, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaptionMeasureInputs in;
    in.Caption = c.caption;
    in.Font = MonoFont();
    in.ClientWidth = c.w;
    in.ClientHeight = c.h;
    in.PictureWidth = c.pw;
    in.PictureHeight = c.ph;
    in.PicturePosition = c.position;
    in.HasPicture = c.hasPicture;
    const CaptionLayout layout = MeasureCaption(in);
    EXPECT_EQ(layout.CaptionRect, c.captionRect);
    EXPECT_EQ(layout.CaptionWidth, c.width);
    EXPECT_EQ(layout.CaptionHeight, c.height);
    Rect pressed = c.captionRect;
    gdi::OffsetRect(pressed, 1, 1);
    EXPECT_EQ(layout.PressedCaptionRect, pressed);
    EXPECT_EQ((Point{layout.PictureLeft, layout.PictureTop}), c.picture);
  }
}

TEST(MeasureCaption, AnUnknownPositionKeepsTheCaptionWhereItWas) {
  CaptionMeasureInputs in;
  in.Caption = "ab cd ef";
  in.Font = MonoFont();
  in.ClientWidth = 40;
  in.ClientHeight = 30;
  in.PictureWidth = in.PictureHeight = 4;
  in.HasPicture = true;
  const CaptionLayout first = MeasureCaption(in);  // picture left: (5, 1, 38, 28) holds "ab cd"
  ASSERT_EQ(first.CaptionRect, (Rect{7, 4, 37, 26}));
  in.PicturePosition = 9;
  CaptionLayout again = MeasureCaption(in, first);
  for (int i = 0; i < 3; ++i) again = MeasureCaption(in, again);
  EXPECT_EQ(again, first);  // neither re-wrapped nor walking toward the pressed place
}

TEST(MeasureCaption, AnUnknownPositionOnAFreshButtonWrapsEveryWordAtTheOrigin) {
  CaptionMeasureInputs in;
  in.Caption = "ab cd";
  in.Font = MonoFont();
  in.ClientWidth = 40;
  in.ClientHeight = 30;
  in.PicturePosition = 5;
  const CaptionLayout layout = MeasureCaption(in);
  EXPECT_EQ(layout.CaptionRect, (Rect{0, 0, 2 * kCharWidth, 2 * kLineHeight}));
  EXPECT_EQ(layout.PressedCaptionRect, (Rect{1, 1, 1 + 2 * kCharWidth, 1 + 2 * kLineHeight}));
}

// --- Drawing -------------------------------------------------------------------------------------

constexpr gdi::ColorRef kStartTextColor = gdi::RGB(0, 128, 0);

std::int32_t C(int r, int g, int b) { return static_cast<std::int32_t>(gdi::RGB(r, g, b)); }

SchemeColors TestColors() {
  SchemeColors s;
  s.FaceColor = C(128, 128, 128);
  s.LiftedFaceColor = C(200, 200, 96);
  s.SelectionTintColor = C(10, 100, 200);
  s.ShadowColor = C(60, 70, 80);
  s.HighlightColor = C(250, 240, 230);
  s.LightColor = C(220, 210, 200);
  s.TextColor = C(1, 2, 3);
  s.TextOverColor = C(200, 0, 0);
  return s;
}

// Where the tests put the caption; the pressed place is one pixel right and down.
constexpr Rect kCaptionRect{6, 4, 34, 16};
constexpr Rect kPressedRect{7, 5, 35, 17};

Rect Shifted(Rect r, int d) {
  gdi::OffsetRect(r, d, d);
  return r;
}

struct Stroke {
  Rect at;
  gdi::ColorRef colour;
};

gdi::Surface Canvas() { return Paper(40, 22); }

// Draws the strokes in order straight through the text operation with the flags the caption uses.
QImage Expected(const QString& caption, const std::vector<Stroke>& strokes) {
  gdi::Surface s = Canvas();
  gdi::Dc dc(s);
  gdi::SelectObject(dc, gdi::Font(MonoFont()));
  for (Stroke st : strokes) {
    gdi::SetTextColor(dc, st.colour);
    gdi::DrawTextA(dc, caption, st.at, 0x15);
  }
  return s.image();
}

// The first pixel that differs, for a readable failure.
std::string FirstDifference(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "none";
}

struct PaintCase {
  const char* name;
  std::uint8_t mode;
  std::int32_t effect;
  std::int32_t buttonType;
  std::vector<Stroke> strokes;
  // Defaults describe an up button away from the mouse under the system scheme.
  std::int32_t scheme = 1;
  std::uint8_t lastState = 0;
  bool isOver = false;
  bool softBevel = false;
};

void CheckPaint(const PaintCase& c) {
  SCOPED_TRACE(c.name);
  PaintOptions in;
  in.Caption = "Hg";
  in.Colors = TestColors();
  in.ButtonType = c.buttonType;
  in.ColorScheme = c.scheme;
  in.SpecialEffect = c.effect;
  in.SoftBevel = c.softBevel;
  in.State = c.lastState;
  in.IsOver = c.isOver;
  in.Layout.CaptionRect = kCaptionRect;
  in.Layout.PressedCaptionRect = kPressedRect;

  gdi::Surface s = Canvas();
  gdi::Dc dc(s);
  gdi::SelectObject(dc, gdi::Font(MonoFont()));
  gdi::SetTextColor(dc, kStartTextColor);
  std::uint8_t lastMode = 0xEE;
  PaintCaption(dc, in, c.mode, lastMode);
  EXPECT_EQ(lastMode, c.mode);
  const QImage expected = Expected(in.Caption, c.strokes);
  ASSERT_NE(expected, Canvas().image()) << "the expectation draws nothing";
  EXPECT_TRUE(s.image() == expected) << "first difference at " << FirstDifference(s.image(), expected);
}

// Shades worked by hand: the face 128 ± 40 on every channel, the lifted face (200, 200, 96) ± 40,
// the selection tint (10, 100, 200) ± 40 clamped at 0 and 255.
constexpr gdi::ColorRef kFaceDark = gdi::RGB(88, 88, 88);
constexpr gdi::ColorRef kFaceLight = gdi::RGB(168, 168, 168);
constexpr gdi::ColorRef kLiftedDark = gdi::RGB(160, 160, 56);
constexpr gdi::ColorRef kLiftedLight = gdi::RGB(240, 240, 136);
constexpr gdi::ColorRef kTintDark = gdi::RGB(0, 60, 160);
constexpr gdi::ColorRef kTintLight = gdi::RGB(50, 140, 240);
constexpr gdi::ColorRef kText = gdi::RGB(1, 2, 3);
constexpr gdi::ColorRef kTextOver = gdi::RGB(200, 0, 0);
constexpr gdi::ColorRef kLight = gdi::RGB(220, 210, 200);
constexpr gdi::ColorRef kHighlight = gdi::RGB(250, 240, 230);
constexpr gdi::ColorRef kShadow = gdi::RGB(60, 70, 80);
constexpr gdi::ColorRef kFace = gdi::RGB(128, 128, 128);

TEST(PaintCaption, EachModeDrawsItsCopiesInItsColoursAtItsPlaces) {
  const Rect below = Shifted(kCaptionRect, 1), above = Shifted(kCaptionRect, -1);
  const Rect pressedBelow = Shifted(kPressedRect, 1), pressedAbove = Shifted(kPressedRect, -1);
  const PaintCase cases[] = {
      {"up", 0, 0, 2, {{kCaptionRect, kText}}},
      {"up raised", 0, 1, 2, {{below, kFaceDark}, {above, kFaceLight}, {kCaptionRect, kText}}},
      {"up over sunken", 1, 2, 2, {{below, kFaceLight}, {above, kFaceDark}, {kCaptionRect, kTextOver}}},
      {"up over shadow", 1, 3, 2, {{below, kFaceDark}, {kCaptionRect, kTextOver}}},
      {"effect above 3 is a shadow", 0, 7, 2, {{below, kFaceDark}, {kCaptionRect, kText}}},
      {"negative effect is none", 0, -1, 2, {{kCaptionRect, kText}}},
      // The down look moves everything, passes included, and leaves the up place empty.
      {"down raised",
       2,
       1,
       2,
       {{pressedBelow, kFaceDark}, {pressedAbove, kFaceLight}, {kPressedRect, kTextOver}}},
      {"down style 4", 2, 0, 4, {{kPressedRect, kLight}}},
      {"down style 4 sunken",
       2,
       2,
       4,
       {{pressedBelow, kLiftedLight}, {pressedAbove, kLiftedDark}, {kPressedRect, kLight}}},
      // Disabled and style-14 looks carry no effect, whatever SpecialEffect says.
      {"disabled embossed", 3, 1, 2, {{kPressedRect, kHighlight}, {kCaptionRect, kShadow}}},
      {"disabled flat", 4, 1, 2, {{kCaptionRect, kShadow}}},
      // The lifted face less 104 with blue moved in proportion: 96 - 96 * 104 / 192 = 44.
      {"disabled style 3", 5, 1, 3, {{kCaptionRect, gdi::RGB(96, 96, 44)}}},
      {"disabled style 14", 6, 1, 14, {{kPressedRect, kHighlight}, {kCaptionRect, kFace}}},
      // The shadow (60, 70, 80) less 50.
      {"down style 14", 7, 1, 14, {{kPressedRect, gdi::RGB(10, 20, 30)}, {kCaptionRect, kHighlight}}},
      {"unknown mode keeps the text colour", 8, 1, 2, {{kCaptionRect, kStartTextColor}}},
      {"last mode value", 255, 3, 2, {{kCaptionRect, kStartTextColor}}},
  };
  for (const PaintCase& c : cases) CheckPaint(c);
}

TEST(PaintCaption, SoftBevelHalvesEveryShade) {
  const Rect below = Shifted(kCaptionRect, 1), above = Shifted(kCaptionRect, -1);
  PaintCase raised{
      "raised",
      0,
      1,
      2,
      {{below, gdi::RGB(108, 108, 108)}, {above, gdi::RGB(148, 148, 148)}, {kCaptionRect, kText}}};
  raised.softBevel = true;
  // Less 52: blue 96 - 96 * 52 / 192 = 70.
  PaintCase style3{"disabled style 3", 5, 0, 3, {{kCaptionRect, gdi::RGB(148, 148, 70)}}};
  style3.softBevel = true;
  PaintCase style14{
      "down style 14", 7, 0, 14, {{kPressedRect, gdi::RGB(35, 45, 55)}, {kCaptionRect, kHighlight}}};
  style14.softBevel = true;
  for (const PaintCase& c : {raised, style3, style14}) CheckPaint(c);
}

TEST(PaintCaption, EffectsShadeFromTheFaceTheStyleShows) {
  const Rect below = Shifted(kCaptionRect, 1), above = Shifted(kCaptionRect, -1);
  const std::vector<Stroke> fromFace = {{below, kFaceLight}, {above, kFaceDark}, {kCaptionRect, kTextOver}};
  const std::vector<Stroke> fromLifted = {
      {below, kLiftedLight}, {above, kLiftedDark}, {kCaptionRect, kTextOver}};
  const std::vector<Stroke> fromTint = {{below, kTintLight}, {above, kTintDark}, {kCaptionRect, kTextOver}};
  std::vector<PaintCase> cases = {
      {"style 9 up under the mouse", 1, 2, 9, fromTint, 1, 0, true},
      {"style 9 under scheme 3", 1, 2, 9, fromTint, 3, 0, true},
      {"style 9 away from the mouse", 1, 2, 9, fromFace, 1, 0, false},
      {"style 9 under its own colours", 1, 2, 9, fromFace, 2, 0, true},
      {"style 9 while down", 1, 2, 9, fromFace, 1, 2, true},
      {"style 8 under the mouse", 1, 2, 8, fromFace, 1, 0, true},
      {"style 3", 1, 2, 3, fromLifted, 1, 0, true},
      {"style 4", 1, 2, 4, fromLifted, 2, 0, false},
      {"style 14", 1, 2, 14, fromLifted, 1, 0, true},
  };
  for (const PaintCase& c : cases) CheckPaint(c);
}

TEST(PaintCaption, AnEmptyCaptionDrawsNothingInAnyMode) {
  PaintOptions in;
  in.Colors = TestColors();
  in.SpecialEffect = 1;
  in.Layout.CaptionRect = kCaptionRect;
  in.Layout.PressedCaptionRect = kPressedRect;
  for (int mode = 0; mode <= 8; ++mode) {
    SCOPED_TRACE(mode);
    gdi::Surface s = Canvas();
    gdi::Dc dc(s);
    std::uint8_t lastMode = 0;
    PaintCaption(dc, in, static_cast<std::uint8_t>(mode), lastMode);
    EXPECT_EQ(s.image(), Canvas().image());
  }
}

}  // namespace
}  // namespace kelvane::controls
