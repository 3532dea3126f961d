#include <gtest/gtest.h>

#include "platform/gdi/bits.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/region.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

// The region holds exactly what Ellipse paints one pixel in from the right and bottom.
TEST(EllipticRegion, HoldsThePixelsOfTheEllipseOnePixelSmaller) {
  for (Rect b : {Rect{0, 0, 12, 12}, Rect{1, 2, 9, 7}, Rect{9, 7, 1, 2}, Rect{0, 0, 3, 12}, Rect{2, 2, 4, 4},
                 Rect{3, 3, 4, 9}, Rect{0, 4, 12, 7}}) {
    Surface s = Paper(12, 12);
    Dc dc(s);
    SelectObject(dc, CreateSolidBrush(kBlack));
    const Rect n = NormalizeRect(b);
    Ellipse(dc, n.left, n.top, n.right - 1, n.bottom - 1);
    const Region rgn = CreateEllipticRgn(b.left, b.top, b.right, b.bottom);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x)
        EXPECT_EQ(PtInRegion(rgn, x, y), s.pixel(x, y) == toQRgb(kBlack))
            << b.left << "," << b.top << " at " << x << "," << y;
  }
}

TEST(EllipticRegion, SmallCirclePixelSetAndEmptyBoxes) {
  EXPECT_TRUE(CreateEllipticRgn(3, 3, 3, 9).pixels().isEmpty());
  EXPECT_TRUE(CreateEllipticRgn(0, 5, 9, 5).pixels().isEmpty());
  const Region rgn = CreateEllipticRgn(0, 0, 6, 6);
  std::string rows;
  for (int y = 0; y < 6; ++y) {
    if (y) rows += '\n';
    for (int x = 0; x < 6; ++x) rows += PtInRegion(rgn, x, y) ? '#' : '.';
  }
  EXPECT_EQ(rows, Rows({".###..", "#####.", "#####.", "#####.", ".###..", "......"}));
}

TEST(CombineRgn, DifferenceCutsCornersOutOfTheFullRectangle) {
  Region full = CreateRectRgn(80, 24, 0, 0);  // corners in any order
  Region scratch = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(scratch, full, CreateRectRgn(0, 0, 2, 1), RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(full, scratch, CreateRectRgn(0, 1, 1, 2), RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(full, 0, 0));
  EXPECT_FALSE(PtInRegion(full, 1, 0));
  EXPECT_FALSE(PtInRegion(full, 0, 1));
  EXPECT_TRUE(PtInRegion(full, 2, 0));
  EXPECT_TRUE(PtInRegion(full, 1, 1));
  EXPECT_TRUE(PtInRegion(full, 79, 23));
  EXPECT_FALSE(PtInRegion(full, 80, 23));
}

TEST(CombineRgn, ResultKindsAndMissingRegions) {
  Region dest = CreateRectRgn(0, 0, 0, 0);
  const Region a = CreateRectRgn(0, 0, 4, 4);
  EXPECT_EQ(CombineRgn(dest, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(dest, a, Region{}, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(CombineRgn(dest, a, Region{}, RGN_DIFF), RGN_ERROR);
  Region none;
  EXPECT_EQ(CombineRgn(none, a, a, RGN_OR), RGN_ERROR);
}

}  // namespace
}  // namespace kelvane::gdi
