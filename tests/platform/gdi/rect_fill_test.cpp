#include <gtest/gtest.h>

#include <limits>

#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

class EmptyRect : public ::testing::TestWithParam<Rect> {};

TEST_P(EmptyRect, PaintsNothingFilledOrFramed) {
  Surface s = Paper(4, 4);
  Dc dc(s);
  const Brush b = CreateSolidBrush(kBlack);
  FillRect(dc, GetParam(), b);
  FrameRect(dc, GetParam(), b);
  EXPECT_EQ(Grid(s), Rows({"....", "....", "....", "...."}));
}

INSTANTIATE_TEST_SUITE_P(ZeroOrNegative, EmptyRect,
                         ::testing::Values(Rect{1, 1, 1, 3}, Rect{1, 1, 3, 1}, Rect{3, 1, 1, 3},
                                           Rect{1, 3, 3, 1}, Rect{0, 0, 0, 0}));

TEST(FillRect, CoversLeftTopButNotRightBottom) {
  Surface s = Paper(5, 4);
  Dc dc(s);
  FillRect(dc, {1, 1, 4, 3}, CreateSolidBrush(kRed));
  EXPECT_EQ(Grid(s), Rows({".....", ".rrr.", ".rrr.", "....."}));
}

TEST(FillRect, ClipsToTheSurfaceWhateverTheCoordinates) {
  Surface s = Paper(3, 2);
  Dc dc(s);
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  FillRect(dc, {kMin, kMin, 2, kMax}, CreateSolidBrush(kBlue));
  EXPECT_EQ(Grid(s), Rows({"bb.", "bb."}));
  FillRect(dc, {5, 0, 9, 2}, CreateSolidBrush(kRed));  // wholly outside
  EXPECT_EQ(Grid(s), Rows({"bb.", "bb."}));
}

TEST(FrameRect, OfTheClientRectangleIsExactlyTheOuterRing) {
  Surface s = Paper();
  Dc dc(s);
  FrameRect(dc, {0, 0, 10, 10}, CreateSolidBrush(kBlack));
  EXPECT_EQ(Grid(s), Rows({"##########", "#........#", "#........#", "#........#", "#........#",
                           "#........#", "#........#", "#........#", "#........#", "##########"}));
}

TEST(FrameRect, ThinRectanglesAreSolid) {
  Surface s = Paper(5, 3);
  Dc dc(s);
  FrameRect(dc, {1, 0, 2, 3}, CreateSolidBrush(kRed));
  FrameRect(dc, {3, 1, 5, 3}, CreateSolidBrush(kBlue));
  EXPECT_EQ(Grid(s), Rows({".r...", ".r.bb", ".r.bb"}));
}

TEST(FillRect, HollowBrushPaintsNothing) {
  Surface s = Paper(2, 2);
  Dc dc(s);
  EXPECT_EQ(FillRect(dc, {0, 0, 2, 2}, Brush{}), 0);
  EXPECT_EQ(Grid(s), Rows({"..", ".."}));
}

TEST(RectArithmetic, InflateOffsetCopyAndWrapping) {
  Rect r{0, 0, 100, 30};
  InflateRect(r, -5, -5);
  OffsetRect(r, 1, 1);
  EXPECT_EQ(r, (Rect{6, 6, 96, 26}));
  Rect c;
  CopyRect(c, r);
  EXPECT_EQ(c, r);
  Rect big{0, 0, std::numeric_limits<std::int32_t>::max(), 0};
  OffsetRect(big, 1, 0);  // wraps like the 32-bit original instead of overflowing
  EXPECT_EQ(big.right, std::numeric_limits<std::int32_t>::min());
}

TEST(ColorRef, ConvertsBothWaysAndIgnoresTheTopByte) {
  EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211u);
  EXPECT_EQ(toQRgb(0x332211u), 0xFF112233u);
  EXPECT_EQ(toQRgb(0x80332211u), 0xFF112233u);
  EXPECT_EQ(fromQRgb(0x80112233u), 0x332211u);
}

}  // namespace
}  // namespace kelvane::gdi
