#include <gtest/gtest.h>

#include "platform/gdi/surface.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using testing::Grid;
using testing::Rows;

TEST(Surface, NewSurfaceIsBackgroundEverywhere) {
  Surface s({3, 2}, 0xFF000000u);
  EXPECT_EQ(Grid(s), Rows({"###", "###"}));
  EXPECT_EQ(s.size(), QSize(3, 2));
}

TEST(Surface, ResizeKeepsPixelsThatFitAndFillsNewAreaWithBackground) {
  Surface s({2, 2}, 0xFFFFFFFFu);
  s.image().setPixel(1, 1, 0xFF000000u);
  s.setBackground(0xFFFF0000u);
  s.resize({3, 3});
  EXPECT_EQ(Grid(s), Rows({"..r", ".#r", "rrr"}));
  s.resize({2, 1});
  EXPECT_EQ(Grid(s), Rows({".."}));
}

TEST(Surface, ClearPaintsBackgroundAndEmptySizeKeepsOnePixel) {
  Surface s({2, 1}, 0xFF0000FFu);
  s.image().setPixel(0, 0, 0xFF000000u);
  s.clear();
  EXPECT_EQ(Grid(s), "bb");
  s.resize({0, 0});
  EXPECT_EQ(s.size(), QSize(1, 1));
}

}  // namespace
}  // namespace kelvane::gdi
