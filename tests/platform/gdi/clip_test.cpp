#include <gtest/gtest.h>

#include <QImage>
#include <array>

#include "platform/gdi/bits.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/paint_pixels.h"
#include "platform/gdi/text.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

struct ClipCase {
  const char* name;
  void (*draw)(Dc&);
};

class Clipped : public ::testing::TestWithParam<ClipCase> {};

// Clipped, a drawing is the unclipped drawing inside the clip and nothing outside it.
TEST_P(Clipped, PaintsOnlyInsideTheClipWhatItPaintsUnclipped) {
  constexpr Rect kClip{2, 1, 6, 5};
  Surface whole = Paper(8, 7);
  Dc wholeDc(whole);
  GetParam().draw(wholeDc);
  Surface clipped = Paper(8, 7);
  Dc dc(clipped);
  ASSERT_TRUE(IntersectClipRect(dc, kClip.left, kClip.top, kClip.right, kClip.bottom));
  GetParam().draw(dc);
  bool paintedInside = false;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= kClip.left && x < kClip.right && y >= kClip.top && y < kClip.bottom;
      const QRgb want = inside ? whole.pixel(x, y) : 0xFFFFFFFFu;
      EXPECT_EQ(clipped.pixel(x, y), want) << x << "," << y;
      paintedInside |= inside && whole.pixel(x, y) != 0xFFFFFFFFu;
    }
  }
  EXPECT_TRUE(paintedInside) << "the case must paint inside the clip to mean anything";
}

void WithPen(Dc& dc, int width) { SelectObject(dc, CreatePen(PS_SOLID, width, kBlack)); }

void ClipFillRect(Dc& dc) { FillRect(dc, {0, 0, 8, 7}, CreateSolidBrush(kRed)); }
void ClipFrameRect(Dc& dc) { FrameRect(dc, {3, 0, 7, 6}, CreateSolidBrush(kRed)); }
void ClipDiagonalWidePen(Dc& dc) {
  WithPen(dc, 2);
  MoveToEx(dc, 0, 0);
  LineTo(dc, 8, 6);
}
void ClipStraightLine(Dc& dc) {
  WithPen(dc, 1);
  MoveToEx(dc, 0, 3);
  LineTo(dc, 8, 3);
}
void ClipRectangle(Dc& dc) {
  WithPen(dc, 1);
  SelectObject(dc, CreateSolidBrush(kBlue));
  Rectangle(dc, 1, 0, 7, 6);
}
void ClipEllipse(Dc& dc) {
  WithPen(dc, 2);
  SelectObject(dc, CreateSolidBrush(kBlue));
  Ellipse(dc, 0, 0, 8, 7);
}
void ClipFocusRect(Dc& dc) { DrawFocusRect(dc, {3, 2, 8, 7}); }
void ClipSetPixel(Dc& dc) {
  for (int i = 0; i < 7; ++i) SetPixelV(dc, i, i, kRed);
}
void ClipBitBlt(Dc& dc) {
  Surface red(QSize(8, 7), toQRgb(kRed));
  Dc source(red);
  BitBlt(dc, 1, 0, 7, 7, source, 0, 0, SRCCOPY);
}
void ClipSetDIBitsToDevice(Dc& dc) {
  BitmapInfo dib;
  dib.bmiHeader.biWidth = 8;
  dib.bmiHeader.biHeight = -7;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(DibStride(8, 24) * 7));
  SetDIBitsToDevice(dc, 0, 0, 8, 7, 0, 0, 0, 7, bits, dib, DIB_RGB_COLORS);
}
void ClipText(Dc& dc) {
  Rect r{0, 0, 8, 7};
  DrawTextA(dc, QStringLiteral("\u2588\u2588"), r, DT_SINGLELINE | DT_NOCLIP);
}
void ClipIcon(Dc& dc) {
  QImage icon(8, 7, QImage::Format_ARGB32);
  icon.fill(0xFF0000FFu);
  DrawIconEx(dc, 0, 0, icon, 0, 0, 0, Brush{}, DI_NORMAL);
}

const ClipCase kClipCases[] = {
    {"FillRect", ClipFillRect},
    {"FrameRect", ClipFrameRect},
    {"DiagonalWidePen", ClipDiagonalWidePen},
    {"StraightLine", ClipStraightLine},
    {"Rectangle", ClipRectangle},
    {"Ellipse", ClipEllipse},
    {"FocusRect", ClipFocusRect},
    {"SetPixel", ClipSetPixel},
    {"BitBlt", ClipBitBlt},
    {"SetDIBitsToDevice", ClipSetDIBitsToDevice},
    {"Text", ClipText},
    {"Icon", ClipIcon},
};

INSTANTIATE_TEST_SUITE_P(Primitives, Clipped, ::testing::ValuesIn(kClipCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Clip, NarrowsWithEachCallUntilNothingIsLeftAndResetGivesTheWholeTarget) {
  Surface s = Paper(4, 3);
  Dc dc(s);
  EXPECT_TRUE(IntersectClipRect(dc, 1, 0, 4, 3));
  EXPECT_TRUE(IntersectClipRect(dc, 0, 1, 3, 3));
  EXPECT_EQ(dc.clipRect(), (Rect{1, 1, 3, 3}));
  FillRect(dc, {0, 0, 4, 3}, CreateSolidBrush(kRed));
  EXPECT_EQ(Grid(s), Rows({"....", ".rr.", ".rr."}));
  EXPECT_FALSE(IntersectClipRect(dc, 3, 0, 4, 3));
  FillRect(dc, {0, 0, 4, 3}, CreateSolidBrush(kBlue));
  EXPECT_EQ(Grid(s), Rows({"....", ".rr.", ".rr."})) << "an empty clip paints nothing";
  ResetClip(dc);
  FillRect(dc, {0, 0, 4, 1}, CreateSolidBrush(kBlack));
  EXPECT_EQ(Grid(s), Rows({"####", ".rr.", ".rr."}));
}

TEST(ScopedSelect, PutsBackWhatItDisplacedWhenTheScopeEnds) {
  Surface s = Paper(2, 2);
  Dc dc(s);
  const Pen outer = CreatePen(PS_SOLID, 1, kRed);
  SelectObject(dc, outer);
  {
    const ScopedSelect<Pen> inner(dc, CreatePen(PS_SOLID, 3, kBlue));
    EXPECT_EQ(dc.pen().width(), 3);
  }
  EXPECT_EQ(dc.pen(), outer);
}

// The painters need nothing but words in memory: rows wider than the view keep their padding.
TEST(PixelView, PaintsARawBufferWithinItsWidthAndLeavesTheRowPaddingAlone) {
  constexpr std::uint32_t kPad = 0x12345678u;
  std::array<Argb, 4 * 3> words{};
  words.fill(kPad);
  const PixelView view{3, 3, 4, words.data()};
  FillPixels(MakeCanvas(view), 0, 0, 99, 99, 0xFF00FF00u);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(words[y * 4 + x], 0xFF00FF00u);
    EXPECT_EQ(words[y * 4 + 3], kPad) << "row " << y;
  }
}

}  // namespace
}  // namespace kelvane::gdi
