#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/bits.h"
#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

BitmapInfo Header24(int w, int h) {
  BitmapInfo bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  return bi;
}

class Stride : public ::testing::TestWithParam<std::pair<int, int>> {};
TEST_P(Stride, RowsArePaddedToFourBytes) { EXPECT_EQ(DibStride(GetParam().first, 24), GetParam().second); }
INSTANTIATE_TEST_SUITE_P(Widths, Stride,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 4}, std::pair{4, 12},
                                           std::pair{5, 16}, std::pair{6, 20}, std::pair{7, 24}));

TEST(GetDIBits, FiveWideRowsAreBottomUpBlueGreenRedPaddedToSixteen) {
  Bitmap bmp = CreateBitmap(5, 2, 1, 32);
  Dc mem = CreateCompatibleDC();
  Bitmap old = SelectObject(mem, bmp);
  SetPixelV(mem, 0, 0, RGB(1, 2, 3));  // top row
  SetPixelV(mem, 4, 1, RGB(4, 5, 6));  // bottom row, last pixel
  std::vector<std::uint8_t> buf(32, 0xEE);
  ASSERT_EQ(GetDIBits(mem, bmp, 0, 2, buf, Header24(5, 2), DIB_RGB_COLORS), 2);
  const std::vector<std::uint8_t> bottom = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 5, 4, 0};
  const std::vector<std::uint8_t> top = {3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(buf.begin(), buf.begin() + 16), bottom);
  EXPECT_EQ(std::vector<std::uint8_t>(buf.begin() + 16, buf.end()), top);
  SelectObject(mem, old);
}

TEST(DIBits, RoundTripThroughAnotherSurfaceIsExact) {
  Surface src = Paper(5, 3);
  Dc sdc(src);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) SetPixelV(sdc, x, y, RGB(x * 40, y * 70, 200 - x - y));
  Dc mem = CreateCompatibleDC(sdc);
  Bitmap bmp = CreateCompatibleBitmap(sdc, 5, 3);
  Bitmap old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, 5, 3, sdc, 0, 0, SRCCOPY);
  std::vector<std::uint8_t> buf(static_cast<std::size_t>(DibStride(5, 24) * 3));
  ASSERT_EQ(GetDIBits(mem, bmp, 0, 3, buf, Header24(5, 3), DIB_RGB_COLORS), 3);
  Surface dst = Paper(7, 5);
  Dc ddc(dst);
  ASSERT_EQ(SetDIBitsToDevice(ddc, 1, 2, 5, 3, 0, 0, 0, 3, buf, Header24(5, 3), DIB_RGB_COLORS), 3);
  EXPECT_EQ(dst.image().copy(1, 2, 5, 3), src.image());
  EXPECT_EQ(Grid(dst.image().copy(0, 0, 7, 2)), Rows({".......", "......."}));
  SelectObject(mem, old);
}

TEST(DIBits, RefuseBuffersTooSmallAndUnsupportedHeaders) {
  Bitmap bmp = CreateBitmap(5, 2, 1, 32);
  Dc mem = CreateCompatibleDC();
  std::vector<std::uint8_t> shortBuf(31);
  EXPECT_EQ(GetDIBits(mem, bmp, 0, 2, shortBuf, Header24(5, 2), DIB_RGB_COLORS), 0);
  EXPECT_EQ(SetDIBitsToDevice(mem, 0, 0, 5, 2, 0, 0, 0, 2, shortBuf, Header24(5, 2), DIB_RGB_COLORS), 0);
  BitmapInfo bad = Header24(5, 2);
  bad.bmiHeader.biBitCount = 8;
  std::vector<std::uint8_t> buf(64);
  EXPECT_EQ(GetDIBits(mem, bmp, 0, 2, buf, bad, DIB_RGB_COLORS), 0);
}

TEST(BitBlt, CopiesExactlyAndClipsToBothContexts) {
  Surface src = Paper(4, 4);
  Dc sdc(src);
  FillRect(sdc, {0, 0, 2, 2}, CreateSolidBrush(kRed));
  FillRect(sdc, {2, 2, 4, 4}, CreateSolidBrush(kBlue));
  Surface dst = Paper(5, 3);
  Dc ddc(dst);
  EXPECT_TRUE(BitBlt(ddc, 2, -1, 4, 4, sdc, 0, 0, SRCCOPY));
  EXPECT_EQ(Grid(dst), Rows({"..rr.", "....b", "....b"}));
}

TEST(BitBlt, OverlappingCopyWithinOneContextReadsTheOldPixels) {
  Surface s = Paper(5, 1);
  Dc dc(s);
  SetPixelV(dc, 0, 0, kRed);
  SetPixelV(dc, 1, 0, kBlue);
  BitBlt(dc, 1, 0, 3, 1, dc, 0, 0, SRCCOPY);
  EXPECT_EQ(Grid(s), "rrb..");
}

TEST(DrawIconEx, DrawsThroughTheIconsMaskOverExistingPixels) {
  Surface s = Paper(4, 2);
  Dc dc(s);
  FillRect(dc, {0, 0, 4, 2}, CreateSolidBrush(kBlue));
  QImage icon(3, 2, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  icon.setPixel(0, 0, 0xFFFF0000u);
  icon.setPixel(2, 1, 0xFF000000u);
  EXPECT_TRUE(DrawIconEx(dc, 1, 0, icon, 0, 0, 0, Brush{}, DI_NORMAL));
  EXPECT_EQ(Grid(s), Rows({"brbb", "bbb#"}));
}

}  // namespace
}  // namespace kelvane::gdi
