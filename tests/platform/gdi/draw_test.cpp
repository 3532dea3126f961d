#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "platform/gdi/draw.h"
#include "platform/gdi/raster.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;
constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

TEST(Surface, ResizeKeepsPixelsThatFitClearPaintsBackgroundEmptySizeKeepsOnePixel) {
  Surface s({2, 2}, 0xFFFFFFFFu);
  s.image().setPixel(1, 1, 0xFF000000u);
  s.setBackground(0xFFFF0000u);
  s.resize({3, 3});
  EXPECT_EQ(Grid(s), Rows({"..r", ".#r", "rrr"}));
  s.resize({2, 1});
  EXPECT_EQ(Grid(s), Rows({".."}));
  s.clear();
  EXPECT_EQ(Grid(s), "rr");
  s.resize({0, 0});
  EXPECT_EQ(s.size(), QSize(1, 1));
}

TEST(FillRect, EmptyOrInvertedRectanglesPaintNothingFilledOrFramed) {
  for (Rect r : {Rect{1, 1, 1, 3}, Rect{1, 1, 3, 1}, Rect{3, 1, 1, 3}, Rect{1, 3, 3, 1}, Rect{}}) {
    Surface s = Paper(4, 4);
    Dc dc(s);
    FillRect(dc, r, CreateSolidBrush(kBlack));
    FrameRect(dc, r, CreateSolidBrush(kBlack));
    EXPECT_EQ(Grid(s), Rows({"....", "....", "....", "...."})) << r.left << "," << r.top;
  }
}

TEST(FillRect, CoversLeftTopButNotRightBottomClipsAndHollowBrushPaintsNothing) {
  Surface s = Paper(5, 4);
  Dc dc(s);
  FillRect(dc, {1, 1, 4, 3}, CreateSolidBrush(kRed));
  EXPECT_EQ(FillRect(dc, {0, 0, 5, 4}, Brush{}), 0);
  EXPECT_EQ(Grid(s), Rows({".....", ".rrr.", ".rrr.", "....."}));
  // Clipped to the surface whatever the coordinates.
  FillRect(dc, {kMin, kMin, 2, kMax}, CreateSolidBrush(kBlue));
  FillRect(dc, {5, 0, 9, 2}, CreateSolidBrush(kRed));  // wholly outside
  EXPECT_EQ(Grid(s), Rows({"bb...", "bbrr.", "bbrr.", "bb..."}));
}

TEST(FrameRect, OfTheClientRectangleIsExactlyTheOuterRingAndThinOnesAreSolid) {
  Surface s = Paper();
  Dc dc(s);
  FrameRect(dc, {0, 0, 10, 10}, CreateSolidBrush(kBlack));
  EXPECT_EQ(Grid(s), Rows({"##########", "#........#", "#........#", "#........#", "#........#", "#........#",
                           "#........#", "#........#", "#........#", "##########"}));
  // Thin rectangles are solid.
  FrameRect(dc, {1, 1, 2, 4}, CreateSolidBrush(kRed));
  FrameRect(dc, {3, 2, 5, 4}, CreateSolidBrush(kBlue));
  EXPECT_EQ(Grid(s.image().copy(0, 0, 6, 5)), Rows({"######", "#r....", "#r.bb.", "#r.bb.", "#....."}));
}

TEST(RectArithmetic, InflateOffsetAndWrapping) {
  Rect r{0, 0, 100, 30};
  InflateRect(r, -5, -5);
  OffsetRect(r, 1, 1);
  EXPECT_EQ(r, (Rect{6, 6, 96, 26}));
  Rect big{0, 0, kMax, 0};
  OffsetRect(big, 1, 0);  // wraps like the 32-bit original instead of overflowing
  EXPECT_EQ(big.right, kMin);
}

TEST(ColorRef, ConvertsBothWaysAndIgnoresTheTopByte) {
  EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211u);
  EXPECT_EQ(toQRgb(0x80332211u), 0xFF112233u);
  EXPECT_EQ(fromQRgb(0x80112233u), 0x332211u);
}

TEST(DrawFocusRect, InvertsBorderPixelsWhoseCoordinatesSumToAnOddNumber) {
  Surface s = Paper();
  Dc dc(s);
  DrawFocusRect(dc, {1, 1, 9, 8});
  EXPECT_EQ(Grid(s), Rows({"..........", "..#.#.#.#.", ".#........", "........#.", ".#........", "........#.",
                           ".#........", "..#.#.#.#.", "..........", ".........."}));
}

TEST(DrawFocusRect, ThinAndEmptyRectanglesTouchEachPixelOnce) {
  Surface s = Paper(4, 4);
  Dc dc(s);
  DrawFocusRect(dc, {1, 0, 2, 4});  // one column: each pixel once, not twice
  DrawFocusRect(dc, {2, 2, 2, 4});  // empty
  EXPECT_EQ(Grid(s), Rows({".#..", "....", ".#..", "...."}));
}

TEST(DrawFocusRect, TwiceRestoresEveryPixel) {
  for (Rect r :
       {Rect{0, 0, 10, 10}, Rect{4, 4, 6, 6}, Rect{3, 2, 4, 9}, Rect{-5, -5, 15, 3}, Rect{2, 7, 9, 8}}) {
    Surface s = Paper(10, 10);
    std::mt19937 rng(7);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) s.image().setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    const QImage before = s.image().copy();
    Dc dc(s);
    DrawFocusRect(dc, r);
    EXPECT_NE(s.image(), before) << r.left << "," << r.top;
    DrawFocusRect(dc, r);
    EXPECT_EQ(s.image(), before) << r.left << "," << r.top;
  }
}

// Pen width 0 selects the null pen.
std::string DrawLine(Point a, Point b, int penWidth, int w, int h) {
  Surface s = Paper(w, h);
  Dc dc(s);
  SelectObject(dc, penWidth ? CreatePen(PS_SOLID, penWidth, kBlack) : Pen{});
  MoveToEx(dc, a.x, a.y);
  LineTo(dc, b.x, b.y);
  EXPECT_EQ(dc.position(), b);
  return Grid(s);
}

TEST(LineTo, PaintsFromTheStartUpToNotIncludingTheEnd) {
  struct Case {
    Point a, b;
    int pen, w, h;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {{0, 0}, {4, 2}, 1, 5, 3, {"##...", "..##.", "....."}},
      {{1, 1}, {4, 1}, 1, 5, 3, {".....", ".###.", "....."}},
      {{4, 1}, {1, 1}, 1, 5, 3, {".....", "..###", "....."}},
      {{1, 0}, {1, 3}, 1, 3, 4, {".#.", ".#.", ".#.", "..."}},
      {{1, 3}, {1, 0}, 1, 3, 4, {"...", ".#.", ".#.", ".#."}},
      {{0, 1}, {4, 1}, 1, 4, 2, {"....", "####"}},       // the whole row up to the client width
      {{1, 2}, {2, 0}, 1, 3, 3, {"...", ".#.", ".#."}},  // end point above the start
      {{2, 2}, {2, 2}, 1, 3, 3, {"...", "...", "..."}},
      {{1, 2}, {4, 2}, 2, 5, 4, {".....", "####.", "####.", "....."}},  // extra pixel up and left
      {{0, 0}, {3, 0}, 0, 3, 1, {"..."}},                               // the null pen only moves
      {{0, 1}, {kMax, 1}, 1, 3, 2, {"...", "###"}},                     // clipped, not walked end to end
      {{-kMax, 1}, {2, 1}, 1, 3, 2, {"...", "##."}},                    // from far off the left edge
      {{2, 3}, {2, 0}, 2, 4, 4, {".##.", ".##.", ".##.", ".##."}},      // upward, the wide pen's extra
  };
  for (const Case& c : cases)
    EXPECT_EQ(DrawLine(c.a, c.b, c.pen, c.w, c.h), Rows(c.rows)) << c.b.x << "," << c.b.y;
}

// In every octant, ties included: a line and its reverse light the same pixels apart from their
// two ends, and each step moves one pixel on the major axis and at most one on the minor.
TEST(LinePixels, ReverseLightsTheSameInteriorAndStepsAreConnected) {
  for (int dx = -9; dx <= 9; ++dx)
    for (int dy = -9; dy <= 9; ++dy) {
      SCOPED_TRACE(::testing::Message() << dx << "," << dy);
      const Point a{0, 0}, b{dx, dy};
      std::vector<Point> forward = LinePixels(a, b), backward = LinePixels(b, a);
      ASSERT_EQ(forward.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
      if (forward.empty()) continue;
      EXPECT_EQ(forward.front(), a);
      EXPECT_EQ(backward.front(), b);
      for (std::size_t i = 1; i < forward.size(); ++i) {
        EXPECT_LE(std::abs(forward[i].x - forward[i - 1].x), 1);
        EXPECT_LE(std::abs(forward[i].y - forward[i - 1].y), 1);
      }
      forward.erase(forward.begin());
      backward.erase(backward.begin());
      std::reverse(backward.begin(), backward.end());
      EXPECT_EQ(forward, backward);
    }
}

TEST(Ellipse, PixelSets) {
  struct Case {
    Rect box;
    Pen pen;
    Brush brush;
    int w, h;
    std::vector<std::string> rows;
  };
  const Pen thin = CreatePen(PS_SOLID, 1, kBlack);
  const Brush red = CreateSolidBrush(kRed);
  const std::vector<std::string> circle = {".......", "..###..", ".#rrr#.", ".#rrr#.",
                                           ".#rrr#.", "..###..", "......."};
  const Case cases[] = {
      {{1, 1, 6, 6}, thin, red, 7, 7, circle},
      {{6, 6, 1, 1}, thin, red, 7, 7, circle},  // corners in any order
      {{0, 0, 10, 6},
       thin,
       red,
       10,
       7,
       {"..######..", ".#rrrrrr#.", "#rrrrrrrr#", "#rrrrrrrr#", ".#rrrrrr#.", "..######..", ".........."}},
      // A two-pixel pen is centred with its extra pixel toward the top and left.
      {{2, 2, 7, 7},
       CreatePen(PS_SOLID, 2, kBlack),
       red,
       8,
       8,
       {"........", "..####..", ".######.", ".##rr##.", ".##rr##.", ".######.", "..####..", "........"}},
      // Boxes two pixels or smaller draw as rectangles; an empty box draws nothing.
      {{1, 1, 3, 5}, thin, red, 5, 6, {".....", ".##..", ".##..", ".##..", ".##..", "....."}},
      {{0, 1, 5, 2}, thin, red, 5, 3, {".....", "#####", "....."}},
      {{3, 3, 3, 8}, thin, red, 5, 5, {".....", ".....", ".....", ".....", "....."}},
      {{1, 1, 6, 6},
       thin,
       Brush{},
       7,
       7,
       {".......", "..###..", ".#...#.", ".#...#.", ".#...#.", "..###..", "......."}},
      {{1, 1, 6, 6},
       Pen{},
       CreateSolidBrush(kBlue),
       7,
       7,
       {".......", ".......", "..bbb..", "..bbb..", "..bbb..", ".......", "......."}},
  };
  for (const Case& c : cases) {
    Surface s = Paper(c.w, c.h);
    Dc dc(s);
    SelectObject(dc, c.pen);
    SelectObject(dc, c.brush);
    Ellipse(dc, c.box.left, c.box.top, c.box.right, c.box.bottom);
    EXPECT_EQ(Grid(s), Rows(c.rows)) << c.box.left << "," << c.box.top << "," << c.box.right;
  }
}

// Symmetric, and every row and column of the box is reached.
TEST(EllipseSpans, AreSymmetricAndSpanTheBox) {
  for (auto [w, h] : {std::pair{3, 3}, {4, 4}, {5, 8}, {80, 24}, {24, 80}, {7, 2}, {200, 199}}) {
    SCOPED_TRACE(::testing::Message() << w << "x" << h);
    const std::vector<Span> rows = EllipseSpans({0, 0, w, h});
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(h));
    std::int64_t minX = w, maxX = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].x0, w - 1 - rows[i].x1) << "row " << i;
      EXPECT_EQ(rows[i].x0, rows[rows.size() - 1 - i].x0) << "row " << i;
      EXPECT_LE(rows[i].x0, rows[i].x1);
      minX = std::min(minX, rows[i].x0);
      maxX = std::max(maxX, rows[i].x1);
    }
    EXPECT_EQ(minX, 0);
    EXPECT_EQ(maxX, w - 1);
  }
}

}  // namespace
}  // namespace kelvane::gdi
