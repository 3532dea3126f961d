#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "platform/gdi/draw.h"
#include "platform/gdi/raster.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

std::string DrawLine(Point a, Point b, int penWidth = 1, int w = 10, int h = 10) {
  Surface s = Paper(w, h);
  Dc dc(s);
  SelectObject(dc, CreatePen(PS_SOLID, penWidth, kBlack));
  MoveToEx(dc, a.x, a.y);
  LineTo(dc, b.x, b.y);
  EXPECT_EQ(dc.position(), b);
  return Grid(s);
}

TEST(LineTo, ShallowLineLeavesOutItsEndPoint) {
  EXPECT_EQ(DrawLine({0, 0}, {4, 2}, 1, 5, 3), Rows({"##...", "..##.", "....."}));
}

TEST(LineTo, HorizontalAndVerticalPaintStartUpToEndInEitherDirection) {
  EXPECT_EQ(DrawLine({1, 1}, {4, 1}, 1, 5, 3), Rows({".....", ".###.", "....."}));
  EXPECT_EQ(DrawLine({4, 1}, {1, 1}, 1, 5, 3), Rows({".....", "..###", "....."}));
  EXPECT_EQ(DrawLine({1, 0}, {1, 3}, 1, 3, 4), Rows({".#.", ".#.", ".#.", "..."}));
  EXPECT_EQ(DrawLine({1, 3}, {1, 0}, 1, 3, 4), Rows({"...", ".#.", ".#.", ".#."}));
}

TEST(LineTo, WholeRowFromZeroToTheClientWidth) {
  EXPECT_EQ(DrawLine({0, 1}, {4, 1}, 1, 4, 2), Rows({"....", "####"}));
}

TEST(LineTo, StopsBeforeAnEndPointAboveTheStart) {
  // (1, 2) toward (2, 0): only the pixels before the end point.
  EXPECT_EQ(DrawLine({1, 2}, {2, 0}, 1, 3, 3), Rows({"...", ".#.", ".#."}));
}

TEST(LineTo, ZeroLengthLinePaintsNothing) {
  EXPECT_EQ(DrawLine({2, 2}, {2, 2}, 1, 3, 3), Rows({"...", "...", "..."}));
}

TEST(LineTo, TwoPixelPenAddsItsExtraPixelTowardTopAndLeft) {
  EXPECT_EQ(DrawLine({1, 2}, {4, 2}, 2, 5, 4), Rows({".....", "####.", "####.", "....."}));
}

TEST(LineTo, NullPenOnlyMoves) {
  Surface s = Paper(3, 1);
  Dc dc(s);
  SelectObject(dc, Pen{});
  MoveToEx(dc, 0, 0);
  LineTo(dc, 3, 0);
  EXPECT_EQ(Grid(s), "...");
  EXPECT_EQ(dc.position(), (Point{3, 0}));
}

TEST(LineTo, HugeCoordinatesAreClippedWithoutWalkingTheWholeLine) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(DrawLine({0, 1}, {kMax, 1}, 1, 3, 2), Rows({"...", "###"}));
}

// A line and its reverse light the same pixels apart from their two ends: one line per octant,
// ties included.
class LineReverse : public ::testing::TestWithParam<Point> {};

TEST_P(LineReverse, LightsTheSameInteriorPixels) {
  const Point a{0, 0};
  const Point b = GetParam();
  std::vector<Point> forward = LinePixels(a, b);
  std::vector<Point> backward = LinePixels(b, a);
  ASSERT_FALSE(forward.empty());
  EXPECT_EQ(forward.front(), a);
  EXPECT_EQ(backward.front(), b);
  forward.erase(forward.begin());
  backward.erase(backward.begin());
  std::reverse(backward.begin(), backward.end());
  EXPECT_EQ(forward, backward);
}

INSTANTIATE_TEST_SUITE_P(Octants, LineReverse,
                         ::testing::Values(Point{4, 2}, Point{2, 4}, Point{-2, 4}, Point{-4, 2},
                                           Point{-4, -2}, Point{-2, -4}, Point{2, -4},
                                           Point{4, -2}, Point{7, 3}, Point{-3, 7}, Point{6, 6},
                                           Point{-9, 1}, Point{5, -1}));

TEST(LinePixels, EveryStepMovesOneOnTheMajorAxisAndAtMostOneOnTheMinor) {
  for (int dx = -6; dx <= 6; ++dx)
    for (int dy = -6; dy <= 6; ++dy) {
      const auto px = LinePixels({0, 0}, {dx, dy});
      ASSERT_EQ(px.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
      for (std::size_t i = 1; i < px.size(); ++i) {
        EXPECT_LE(std::abs(px[i].x - px[i - 1].x), 1);
        EXPECT_LE(std::abs(px[i].y - px[i - 1].y), 1);
      }
    }
}

}  // namespace
}  // namespace kelvane::gdi
