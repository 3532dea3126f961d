#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

TEST(DrawFocusRect, InvertsBorderPixelsWhoseCoordinatesSumToAnOddNumber) {
  Surface s = Paper();
  Dc dc(s);
  DrawFocusRect(dc, {1, 1, 9, 8});
  EXPECT_EQ(Grid(s), Rows({"..........", "..#.#.#.#.", ".#........", "........#.", ".#........",
                           "........#.", ".#........", "..#.#.#.#.", "..........", ".........."}));
}

TEST(DrawFocusRect, ThinAndEmptyRectanglesTouchEachPixelOnce) {
  Surface s = Paper(4, 4);
  Dc dc(s);
  DrawFocusRect(dc, {1, 0, 2, 4});  // one column: each pixel once, not twice
  DrawFocusRect(dc, {2, 2, 2, 4});  // empty
  EXPECT_EQ(Grid(s), Rows({".#..", "....", ".#..", "...."}));
}

class FocusTwice : public ::testing::TestWithParam<Rect> {};

TEST_P(FocusTwice, RestoresEveryPixel) {
  Surface s = Paper(10, 10);
  std::mt19937 rng(7);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) s.image().setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  const QImage before = s.image().copy();
  Dc dc(s);
  DrawFocusRect(dc, GetParam());
  EXPECT_NE(s.image(), before);
  DrawFocusRect(dc, GetParam());
  EXPECT_EQ(s.image(), before);
}

INSTANTIATE_TEST_SUITE_P(Rects, FocusTwice,
                         ::testing::Values(Rect{0, 0, 10, 10}, Rect{4, 4, 6, 6}, Rect{3, 2, 4, 9},
                                           Rect{-5, -5, 15, 3}, Rect{2, 7, 9, 8}));

}  // namespace
}  // namespace kelvane::gdi
