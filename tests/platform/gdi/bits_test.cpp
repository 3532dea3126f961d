#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/gdi/bits.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

BitmapInfo Header24(int w, int h) { return {{.biWidth = w, .biHeight = h}}; }

TEST(DibStride, RowsArePaddedToFourBytes) {
  for (auto [width, stride] : {std::pair{0, 0}, {1, 4}, {4, 12}, {5, 16}, {6, 20}, {7, 24}})
    EXPECT_EQ(DibStride(width, 24), stride) << width;
}

TEST(GetDIBits, FiveWideRowsAreBottomUpBlueGreenRedPaddedToSixteen) {
  Bitmap bmp = CreateBitmap(5, 2, 1, 32);
  Dc mem = CreateCompatibleDC();
  Bitmap old = SelectObject(mem, bmp);
  SetPixelV(mem, 0, 0, RGB(1, 2, 3));  // top row
  SetPixelV(mem, 4, 1, RGB(4, 5, 6));  // bottom row, last pixel
  std::vector<std::uint8_t> buf(32, 0xEE);
  ASSERT_EQ(GetDIBits(mem, bmp, 0, 2, buf, Header24(5, 2), DIB_RGB_COLORS), 2);
  const std::vector<std::uint8_t> bottomThenTop = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 5, 4, 0,
                                                   3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(buf, bottomThenTop);
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

TEST(MemoryDc, DrawsIntoTheSelectedBitmapWhichOutlivesDeletion) {
  Surface screen = Paper(2, 2);
  Dc sdc(screen);
  Bitmap bmp = CreateCompatibleBitmap(sdc, 3, 2);
  Bitmap kept = bmp;
  {
    Dc mem = CreateCompatibleDC(sdc);
    const Bitmap stock = SelectObject(mem, bmp);
    EXPECT_EQ(stock.width(), 1);
    DeleteObject(bmp);  // the context still holds it
    FillRect(mem, {0, 0, 3, 1}, CreateSolidBrush(kRed));
    EXPECT_EQ(SelectObject(mem, stock), kept);
    DeleteDC(std::move(mem));
  }
  EXPECT_TRUE(bmp.isNull());
  EXPECT_EQ(Grid(kept.image()), Rows({"rrr", "###"}));
}

TEST(SurfaceDc, RefusesBitmapsAndStartsWithTheSurfaceBackground) {
  Surface s(QSize(2, 2), 0xFF102030u);
  Dc dc(s);
  EXPECT_TRUE(SelectObject(dc, CreateBitmap(2, 2, 1, 32)).isNull());
  EXPECT_EQ(GetBkColor(dc), RGB(0x10, 0x20, 0x30));
}

TEST(Bitmaps, NegativeSizeFailsZeroSizeIsEmpty) {
  Dc mem = CreateCompatibleDC();
  EXPECT_TRUE(CreateCompatibleBitmap(mem, -1, 4).isNull());
  const Bitmap empty = CreateCompatibleBitmap(mem, 0, 4);
  EXPECT_FALSE(empty.isNull());
  EXPECT_EQ(empty.width(), 0);
  Bitmap b = CreateBitmap(1, 1, 1, 32);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(b));
}

TEST(Pixels, SetPixelVAndGetPixelStayInside) {
  Surface s = Paper(2, 1);
  Dc dc(s);
  EXPECT_TRUE(SetPixelV(dc, 1, 0, RGB(1, 2, 3)));
  EXPECT_FALSE(SetPixelV(dc, 2, 0, kRed));
  EXPECT_FALSE(SetPixelV(dc, -1, 0, kRed));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 0, 5), CLR_INVALID);
  for (const auto& [x, y] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{-1, 0}, std::pair{0, -1}})
    EXPECT_EQ(GetPixel(dc, x, y), CLR_INVALID) << x << "," << y;
}

}  // namespace
}  // namespace kelvane::gdi
