#include <gtest/gtest.h>

#include "platform/gdi/draw.h"
#include "platform/gdi/raster.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

std::string DrawEllipse(Rect box, int penWidth, ColorRef fill = kRed, int w = 10, int h = 10) {
  Surface s = Paper(w, h);
  Dc dc(s);
  SelectObject(dc, CreatePen(PS_SOLID, penWidth, kBlack));
  SelectObject(dc, CreateSolidBrush(fill));
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  return Grid(s);
}

TEST(Ellipse, SmallCircleWithOnePixelPen) {
  EXPECT_EQ(DrawEllipse({1, 1, 6, 6}, 1, kRed, 7, 7),
            Rows({".......", "..###..", ".#rrr#.", ".#rrr#.", ".#rrr#.", "..###..", "......."}));
}

TEST(Ellipse, WideBoxWithOnePixelPen) {
  EXPECT_EQ(DrawEllipse({0, 0, 10, 6}, 1),
            Rows({"..######..", ".#rrrrrr#.", "#rrrrrrrr#", "#rrrrrrrr#", ".#rrrrrr#.",
                  "..######..", "..........", "..........", "..........", ".........."}));
}

TEST(Ellipse, TwoPixelPenIsCentredWithItsExtraPixelTowardTopAndLeft) {
  EXPECT_EQ(DrawEllipse({2, 2, 7, 7}, 2, kRed, 8, 8),
            Rows({"........", "..####..", ".######.", ".##rr##.", ".##rr##.", ".######.",
                  "..####..", "........"}));
}

TEST(Ellipse, BoxesTwoPixelsOrSmallerDrawAsRectangles) {
  EXPECT_EQ(DrawEllipse({1, 1, 3, 5}, 1, kRed, 5, 6),
            Rows({".....", ".##..", ".##..", ".##..", ".##..", "....."}));
  EXPECT_EQ(DrawEllipse({0, 1, 5, 2}, 1, kRed, 5, 3), Rows({".....", "#####", "....."}));
}

TEST(Ellipse, CornersInAnyOrderAndEmptyBox) {
  EXPECT_EQ(DrawEllipse({6, 6, 1, 1}, 1, kRed, 7, 7), DrawEllipse({1, 1, 6, 6}, 1, kRed, 7, 7));
  EXPECT_EQ(DrawEllipse({3, 3, 3, 8}, 1, kRed, 5, 5), Rows({".....", ".....", ".....", ".....", "....."}));
}

TEST(Ellipse, HollowBrushKeepsTheInsideAndNullPenTheOutline) {
  Surface s = Paper(7, 7);
  Dc dc(s);
  SelectObject(dc, Brush{});
  Ellipse(dc, 1, 1, 6, 6);
  EXPECT_EQ(Grid(s),
            Rows({".......", "..###..", ".#...#.", ".#...#.", ".#...#.", "..###..", "......."}));
  Surface t = Paper(7, 7);
  Dc dt(t);
  SelectObject(dt, Pen{});
  SelectObject(dt, CreateSolidBrush(kBlue));
  Ellipse(dt, 1, 1, 6, 6);
  EXPECT_EQ(Grid(t),
            Rows({".......", ".......", "..bbb..", "..bbb..", "..bbb..", ".......", "......."}));
}

// The shape is symmetric and every row and column of the box is reached in the middle.
class EllipseShape : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(EllipseShape, IsSymmetricAndSpansTheBox) {
  const auto [w, h] = GetParam();
  const std::vector<Span> rows = EllipseSpans({0, 0, w, h});
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(h));
  std::int64_t minX = w, maxX = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Span& r = rows[i];
    const Span& mirror = rows[rows.size() - 1 - i];
    EXPECT_EQ(r.x0, w - 1 - r.x1) << "row " << i;
    EXPECT_EQ(r.x0, mirror.x0) << "row " << i;
    EXPECT_LE(r.x0, r.x1);
    minX = std::min(minX, r.x0);
    maxX = std::max(maxX, r.x1);
  }
  EXPECT_EQ(minX, 0);
  EXPECT_EQ(maxX, w - 1);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EllipseShape,
                         ::testing::Values(std::pair{3, 3}, std::pair{4, 4}, std::pair{5, 8},
                                           std::pair{80, 24}, std::pair{24, 80}, std::pair{7, 2},
                                           std::pair{200, 199}));

}  // namespace
}  // namespace kelvane::gdi
