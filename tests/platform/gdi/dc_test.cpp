#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

TEST(SelectObject, HandsBackWhatItDisplacedSoItCanBePutBack) {
  Surface s = Paper(2, 2);
  Dc dc(s);
  const Pen original = dc.pen();
  const Pen red = CreatePen(PS_SOLID, 2, kRed);
  EXPECT_EQ(SelectObject(dc, red), original);
  EXPECT_EQ(SelectObject(dc, original), red);
  const Brush b = CreateSolidBrush(kBlue);
  const Brush before = SelectObject(dc, b);
  EXPECT_EQ(SelectObject(dc, before), b);
  const Font f(QFont("DejaVu Sans", 12));
  EXPECT_TRUE(SelectObject(dc, f).isNull());
  EXPECT_EQ(dc.qfont().family(), "DejaVu Sans");
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
  EXPECT_EQ(SetTextColor(dc, kRed), kBlack);
  EXPECT_EQ(GetTextColor(dc), kRed);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
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
}

}  // namespace
}  // namespace kelvane::gdi
