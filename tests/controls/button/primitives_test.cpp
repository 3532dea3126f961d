#include "controls/button/primitives.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "controls/button/style_traits.h"
#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::controls {
namespace {

using gdi::testing::Paper;
using gdi::testing::Rows;
constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

constexpr gdi::ColorRef kWhite = gdi::RGB(255, 255, 255);
constexpr gdi::ColorRef kRed = gdi::RGB(255, 0, 0);
constexpr gdi::ColorRef kBlue = gdi::RGB(0, 0, 255);
constexpr gdi::ColorRef kGreen = gdi::RGB(0, 255, 0);
constexpr gdi::ColorRef kYellow = gdi::RGB(255, 255, 0);

// '.' white, '#' black, 'r' red, 'b' blue, 'g' green, 'y' yellow, '?' anything else.
std::string Grid(const gdi::Surface& s) {
  static const std::map<QRgb, char> legend = {{gdi::toQRgb(kWhite), '.'}, {0xFF000000u, '#'},
                                              {gdi::toQRgb(kRed), 'r'},   {gdi::toQRgb(kBlue), 'b'},
                                              {gdi::toQRgb(kGreen), 'g'}, {gdi::toQRgb(kYellow), 'y'}};
  std::string out;
  for (int y = 0; y < s.height(); ++y) {
    if (y) out += '\n';
    for (int x = 0; x < s.width(); ++x) {
      const auto it = legend.find(s.pixel(x, y));
      out += it == legend.end() ? '?' : it->second;
    }
  }
  return out;
}

// A surface of the given size whose every pixel is `colour`.
gdi::Surface Sheet(int w, int h, gdi::ColorRef colour) {
  gdi::Surface s = Paper(w, h);
  s.image().fill(gdi::toQRgb(colour));
  return s;
}

TEST(PaintRect, FillsOrOutlinesExactlyTheRectangleWithRightAndBottomOutside) {
  struct Case {
    const char* name;
    std::int32_t x, y, w, h;
    bool framed;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"filled", 1, 1, 3, 2, false, {"......", ".rrr..", ".rrr..", "......", "......"}},
      {"framed", 1, 1, 4, 3, true, {"......", ".rrrr.", ".r..r.", ".rrrr.", "......"}},
      {"framed client", 0, 0, 6, 5, true, {"rrrrrr", "r....r", "r....r", "r....r", "rrrrrr"}},
      {"filled client", 0, 0, 6, 5, false, {"rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr"}},
      {"framed one column", 2, 1, 1, 3, true, {"......", "..r...", "..r...", "..r...", "......"}},
      {"framed two rows", 1, 3, 3, 2, true, {"......", "......", "......", ".rrr..", ".rrr.."}},
      {"zero width filled", 2, 1, 0, 3, false, {"......", "......", "......", "......", "......"}},
      {"zero width framed", 2, 1, 0, 3, true, {"......", "......", "......", "......", "......"}},
      {"negative height filled", 1, 4, 3, -2, false, {"......", "......", "......", "......", "......"}},
      {"negative height framed", 1, 4, 3, -2, true, {"......", "......", "......", "......", "......"}},
      {"negative width framed", 4, 1, -3, 2, true, {"......", "......", "......", "......", "......"}},
      {"clipped", -2, -1, 4, 3, true, {".r....", "rr....", "......", "......", "......"}},
      // Far coordinates neither wrap round onto the surface nor lose the part that is on it.
      {"huge width", 2, 1, kMax, 3, true, {"......", "..rrrr", "..r...", "..rrrr", "......"}},
      {"huge start", kMax, 0, kMax, 5, false, {"......", "......", "......", "......", "......"}},
      {"from far left", kMin, 2, kMax, 1, false, {"......", "......", "......", "......", "......"}},
      {"to far right", -1, 2, kMax, 1, false, {"......", "......", "rrrrrr", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdi::Surface s = Paper(6, 5);
    gdi::Dc dc(s);
    PaintRect(dc, c.x, c.y, c.w, c.h, kRed, c.framed);
    EXPECT_EQ(Grid(s), Rows(c.rows));
  }
}

TEST(PaintLine, PaintsOnePixelWideFromTheStartUpToNotIncludingTheEnd) {
  struct Case {
    const char* name;
    gdi::Point from, to;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"whole row to the client width", {0, 1}, {5, 1}, {".....", "bbbbb", ".....", "....."}},
      {"leftwards", {4, 2}, {0, 2}, {".....", ".....", ".bbbb", "....."}},
      {"downwards", {1, 0}, {1, 3}, {".b...", ".b...", ".b...", "....."}},
      {"upwards", {1, 3}, {1, 0}, {".....", ".b...", ".b...", ".b..."}},
      {"end above the start", {1, 2}, {2, 0}, {".....", ".b...", ".b...", "....."}},
      {"shallow", {0, 0}, {4, 2}, {"bb...", "..bb.", ".....", "....."}},
      {"shallow reversed", {4, 2}, {0, 0}, {".b...", "..bb.", "....b", "....."}},
      {"diagonal", {0, 3}, {3, 0}, {".....", "..b..", ".b...", "b...."}},
      {"single step", {3, 3}, {4, 3}, {".....", ".....", ".....", "...b."}},
      {"no length", {2, 2}, {2, 2}, {".....", ".....", ".....", "....."}},
      {"from outside", {-3, 0}, {2, 0}, {"bb...", ".....", ".....", "....."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdi::Surface s = Paper(5, 4);
    gdi::Dc dc(s);
    PaintLine(dc, c.from.x, c.from.y, c.to.x, c.to.y, kBlue);
    EXPECT_EQ(Grid(s), Rows(c.rows));
  }
}

TEST(PaintPixel, SetsOnlyThatPixelAndIgnoresPointsOffTheSurface) {
  gdi::Surface s = Paper(4, 3);
  gdi::Dc dc(s);
  PaintPixel(dc, 0, 0, kRed);
  PaintPixel(dc, 3, 2, kBlue);
  PaintPixel(dc, 2, 1, kGreen);
  for (gdi::Point p : {gdi::Point{-1, 0}, {4, 0}, {0, 3}, {0, -1}, {kMin, kMax}})
    PaintPixel(dc, p.x, p.y, kRed);
  EXPECT_EQ(Grid(s), Rows({"r...", "..g.", "...b"}));
}

TEST(PaintEllipse, FillsWithTheBrushColourThenOutlinesWithATwoPixelPen) {
  struct Case {
    const char* name;
    std::int32_t x, y, w, h;
    int sw, sh;
    std::vector<std::string> rows;
  };
  // The one-pixel outline of a 5 × 5 box runs in rows 1 and 5 over columns 2 to 4 and in columns
  // 1 and 5 over rows 2 to 4 of the box; the two-pixel pen adds the pixel above and to the left.
  const std::vector<std::string> circle = {"........", "..bbbb..", ".bbbbbb.", ".bbrrbb.",
                                           ".bbrrbb.", ".bbbbbb.", "..bbbb..", "........"};
  const Case cases[] = {
      {"circle", 2, 2, 5, 5, 8, 8, circle},
      {"circle from its far corner", 7, 7, -5, -5, 8, 8, circle},
      // The outline of the 10 × 6 box at (1, 2): rows 2 and 7 over columns 3 to 8, rows 3 and 6
      // at columns 2 and 9, rows 4 and 5 at columns 1 and 10.
      {"wide",
       1,
       2,
       10,
       6,
       11,
       9,
       {"...........", "..bbbbbbb..", ".bbbbbbbbb.", "bbbrrrrrbbb", "bbrrrrrrrbb", "bbbrrrrrbbb",
        ".bbbbbbbbb.", "..bbbbbbb..", "..........."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdi::Surface s = Paper(c.sw, c.sh);
    gdi::Dc dc(s);
    PaintEllipse(dc, c.x, c.y, c.w, c.h, kBlue, kRed);
    EXPECT_EQ(Grid(s), Rows(c.rows));
  }
}

TEST(PaintFrame, DrawsTheOuterRingAndUnlessSingleTheInnerRing) {
  struct Case {
    const char* name;
    int w, h;
    std::int16_t inset;
    bool single;
    std::vector<std::string> rows;
  };
  // Outer ring red (left, top) and blue (right, bottom); inner ring green and yellow. The top right
  // corner belongs to the right column and the bottom left corner to the bottom row.
  const Case cases[] = {
      {"both rings on the edge", 6, 5, 0, false, {"rrrrrb", "rgggyb", "rg..yb", "ryyyyb", "bbbbbb"}},
      {"one ring on the edge", 6, 5, 0, true, {"rrrrrb", "r....b", "r....b", "r....b", "bbbbbb"}},
      {"both rings one pixel in",
       8,
       7,
       -1,
       false,
       {"........", ".rrrrrb.", ".rgggyb.", ".rg..yb.", ".ryyyyb.", ".bbbbbb.", "........"}},
      {"one ring one pixel in",
       8,
       7,
       -1,
       true,
       {"........", ".rrrrrb.", ".r....b.", ".r....b.", ".r....b.", ".bbbbbb.", "........"}},
      {"inner ring of one pixel", 3, 3, 0, false, {"rrb", "ryb", "bbb"}},
      {"one pixel in on a tiny client", 3, 3, -1, true, {"...", ".b.", "..."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdi::Surface s = Paper(c.w, c.h);
    gdi::Dc dc(s);
    PaintFrame(dc, c.w, c.h, kRed, kBlue, kGreen, kYellow, c.inset, c.single);
    EXPECT_EQ(Grid(s), Rows(c.rows));
  }
}

// Far sizes and insets are clipped as if the coordinates were unbounded, never wrapped round.
TEST(PaintFrame, FarSizesAndInsetsDrawOnlyWhatFallsOnTheSurface) {
  struct Case {
    std::int32_t w, h;
    std::int16_t inset;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {kMax, kMax, 0, {"rrr", "rgg", "rg."}},
      {kMax, kMin, 0, {"rgr", ".gg", "..."}},
      {kMin, kMax, -1, {"...", "rr.", "ggg"}},
      {kMin, kMin, -32768, {"...", "...", "..."}},
      {kMax, kMax, 32767, {"...", "...", "..."}},
      // No client at all: the bottom row and right column fall just off the top left corner.
      {0, 0, 0, {"rg.", "gg.", "..."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " inset " << c.inset);
    gdi::Surface s = Paper(3, 3);
    gdi::Dc dc(s);
    PaintFrame(dc, c.w, c.h, kRed, kBlue, kGreen, kYellow, c.inset, false);
    EXPECT_EQ(Grid(s), Rows(c.rows));
  }
}

// The primitives use objects of their own and leave the context's pen and brush as they found them;
// text colour is only the focus rectangle's concern.
TEST(Primitives, LeaveTheSelectedPenAndBrushInPlace) {
  const std::pair<const char*, std::function<void(gdi::Dc&)>> draws[] = {
      {"rect filled", [](gdi::Dc& dc) { PaintRect(dc, 1, 1, 3, 3, kRed, false); }},
      {"rect framed", [](gdi::Dc& dc) { PaintRect(dc, 1, 1, 3, 3, kRed, true); }},
      {"ellipse", [](gdi::Dc& dc) { PaintEllipse(dc, 1, 1, 6, 6, kRed, kBlue); }},
      {"line", [](gdi::Dc& dc) { PaintLine(dc, 0, 0, 7, 3, kRed); }},
      {"frame", [](gdi::Dc& dc) { PaintFrame(dc, 8, 8, kRed, kBlue, kGreen, kYellow, 0, false); }},
      {"single frame", [](gdi::Dc& dc) { PaintFrame(dc, 8, 8, kRed, kBlue, kGreen, kYellow, -1, true); }},
      {"pixel", [](gdi::Dc& dc) { PaintPixel(dc, 2, 2, kRed); }},
  };
  const gdi::Pen pen = gdi::CreatePen(gdi::PS_SOLID, 3, gdi::RGB(1, 2, 3));
  const gdi::Brush brush = gdi::CreateSolidBrush(gdi::RGB(4, 5, 6));
  for (const auto& [name, draw] : draws) {
    SCOPED_TRACE(name);
    gdi::Surface s = Paper(8, 8);
    gdi::Dc dc(s);
    gdi::SelectObject(dc, pen);
    gdi::SelectObject(dc, brush);
    draw(dc);
    EXPECT_EQ(dc.pen(), pen);
    EXPECT_EQ(dc.brush(), brush);
    EXPECT_EQ(dc.textColor(), gdi::RGB(0, 0, 0));
  }
}

// Channels reach the surface in their places: red in the low byte, blue in the third.
TEST(Primitives, PassColoursThroughUntranslated) {
  constexpr gdi::ColorRef c = 0x563412;  // red 0x12, green 0x34, blue 0x56
  const std::pair<const char*, std::function<void(gdi::Dc&)>> draws[] = {
      {"rect", [](gdi::Dc& dc) { PaintRect(dc, 1, 1, 1, 1, c, false); }},
      {"ellipse pen", [](gdi::Dc& dc) { PaintEllipse(dc, 1, 1, 6, 6, c, kWhite); }},
      {"ellipse brush", [](gdi::Dc& dc) { PaintEllipse(dc, -2, -2, 8, 8, kWhite, c); }},
      {"line", [](gdi::Dc& dc) { PaintLine(dc, 1, 1, 2, 1, c); }},
      {"frame outer", [](gdi::Dc& dc) { PaintFrame(dc, 8, 8, c, c, kWhite, kWhite, -1, false); }},
      {"frame inner", [](gdi::Dc& dc) { PaintFrame(dc, 10, 10, kWhite, kWhite, c, c, 0, false); }},
      {"pixel", [](gdi::Dc& dc) { PaintPixel(dc, 1, 1, c); }},
  };
  for (const auto& [name, draw] : draws) {
    SCOPED_TRACE(name);
    gdi::Surface s = Paper(8, 8);
    gdi::Dc dc(s);
    draw(dc);
    EXPECT_EQ(s.pixel(1, 1), 0xFF123456u);
  }
}

TEST(ComputeFocusRect, InsetsTheClientByTheButtonTypesMargin) {
  struct Case {
    std::int32_t type;
    gdi::Rect expected;
  };
  const Case cases[] = {
      {1, {4, 4, 26, 16}},  {2, {4, 4, 26, 16}},  {6, {4, 4, 26, 16}},    {7, {3, 3, 27, 17}},
      {10, {3, 3, 27, 17}}, {13, {3, 3, 27, 17}}, {14, {6, 6, 26, 16}},   {kStyleCount + 1, {4, 4, 26, 16}},
      {0, {4, 4, 26, 16}},  {-1, {4, 4, 26, 16}}, {kMax, {4, 4, 26, 16}}, {kMin, {4, 4, 26, 16}},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeFocusRect(c.type, 30, 20), c.expected) << "type " << c.type;
}

TEST(PaintFocusRect, InvertsEveryOtherBorderPixelOfTheStylesRectangleAndTwiceRestores) {
  struct Case {
    std::int32_t type;
    std::vector<std::string> rows;
  };
  // On blue, an inverted pixel turns yellow.
  const Case cases[] = {
      {2,
       {"bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbybybbbb", "bbbbybbbbbbb",
        "bbbbbbbybbbb", "bbbbybybbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb"}},
      {7,
       {"bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbybybybbb", "bbbybbbbbbbb", "bbbbbbbbybbb",
        "bbbybbbbbbbb", "bbbbbbbbybbb", "bbbybybybbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb"}},
      {14,
       {"bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb",
        "bbbbbbbybbbb", "bbbbbbybbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb", "bbbbbbbbbbbb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type);
    gdi::Surface s = Sheet(12, 12, kBlue);
    const QImage before = s.image().copy();
    gdi::Dc dc(s);
    const gdi::Rect r = ComputeFocusRect(c.type, 12, 12);
    PaintFocusRect(dc, r, true, true, kRed);
    EXPECT_EQ(Grid(s), Rows(c.rows));
    EXPECT_EQ(dc.textColor(), kRed);
    PaintFocusRect(dc, r, true, true, kRed);
    EXPECT_EQ(s.image(), before);
  }
}

TEST(PaintFocusRect, DrawsNothingWithoutBothTheFocusAndTheWishToShowIt) {
  struct Case {
    bool show, focus;
  };
  for (const Case& c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
    SCOPED_TRACE(::testing::Message() << "show " << c.show << " focus " << c.focus);
    gdi::Surface s = Paper(10, 10);
    gdi::Dc dc(s);
    gdi::SetTextColor(dc, kBlue);
    PaintFocusRect(dc, ComputeFocusRect(7, 10, 10), c.show, c.focus, kRed);
    EXPECT_EQ(Grid(s), Rows(std::vector<std::string>(10, "..........")));
    EXPECT_EQ(dc.textColor(), kBlue);
  }
}

TEST(PaintFocusRect, ClientTooSmallForTheMarginDrawsNothing) {
  for (std::int32_t type : {2, 7, 14}) {
    SCOPED_TRACE(::testing::Message() << "type " << type);
    gdi::Surface s = Paper(6, 6);
    gdi::Dc dc(s);
    PaintFocusRect(dc, ComputeFocusRect(type, 6, 6), true, true, kRed);
    EXPECT_EQ(Grid(s), Rows(std::vector<std::string>(6, "......")));
  }
}

}  // namespace
}  // namespace kelvane::controls
