#include <gtest/gtest.h>

#include <cmath>

#include "controls/progressbar/bar_pictures.h"
#include "controls/progressbar/bar_state.h"

namespace kelvane::controls {
namespace {

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xffffffu; }

struct Slice {
  const char* name;
  int x, y, w, h;
  std::vector<QRgb> pixels;  // row by row
};

class XpProgressBarFrameSlice : public ::testing::TestWithParam<Slice> {};

TEST_P(XpProgressBarFrameSlice, MatchesTheSliceTable) {
  const QImage img = FramePicture().image();
  ASSERT_EQ(img.size(), QSize(59, 13));
  const Slice& s = GetParam();
  for (int r = 0; r < s.h; ++r)
    for (int c = 0; c < s.w; ++c)
      EXPECT_EQ(At(img, s.x + c, s.y + r), s.pixels[r * s.w + c]) << s.name << " at " << c << "," << r;
}

// One colour per row (or, transposed, per column) of a w x h slice.
std::vector<QRgb> Rows(int w, std::initializer_list<QRgb> rows) {
  std::vector<QRgb> out;
  for (QRgb c : rows) out.insert(out.end(), w, c);
  return out;
}
std::vector<QRgb> Columns(int h, std::initializer_list<QRgb> cols) {
  std::vector<QRgb> out;
  for (int r = 0; r < h; ++r) out.insert(out.end(), cols);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Img, XpProgressBarFrameSlice,
    ::testing::Values(
        Slice{"TopLeft",
              0,
              0,
              3,
              3,
              {0xffffff, 0xadaaa5, 0x7b7d7b, 0xadaaa5, 0x737573, 0xbdbebd, 0x7b7d7b, 0xbdbebd, 0xbdbebd}},
        Slice{"TopRight",
              56,
              0,
              3,
              3,
              {0x7b7d7b, 0xadaaa5, 0xffffff, 0xbdbebd, 0x737573, 0xadaaa5, 0xbdbebd, 0xbdbebd, 0x7b7d7b}},
        Slice{"BottomRight",
              56,
              10,
              3,
              3,
              {0xefefef, 0xbdbebd, 0x7b7d7b, 0xefefef, 0x737573, 0xadaaa5, 0x7b7d7b, 0xadaaa5, 0xffffff}},
        Slice{"BottomLeft",
              0,
              10,
              3,
              3,
              {0x7b7d7b, 0xbdbebd, 0xefefef, 0xadaaa5, 0x737573, 0xefefef, 0xffffff, 0xadaaa5, 0x7b7d7b}},
        Slice{"TopEdge", 3, 0, 12, 3, Rows(12, {0x6b696b, 0xbdbebd, 0xefefef})},
        Slice{"RightEdge", 56, 3, 3, 3, Columns(3, {0xefefef, 0xbdbebd, 0x6b696b})},
        Slice{"BottomEdge", 3, 10, 1, 3, Rows(1, {0xefefef, 0xefefef, 0x6b696b})},
        Slice{"LeftEdge", 0, 3, 3, 3, Columns(3, {0x6b696b, 0xbdbebd, 0xefefef})},
        Slice{"Centre", 4, 4, 51, 7, std::vector<QRgb>(51 * 7, 0xffffff)}),
    [](const auto& test) { return std::string(test.param.name); });

struct LookColours {
  int look;
  const char* name;
  QRgb tailLeft, tailRight, middleLeft, middleRight, blockTop, blockDarkest;
  int darkestRow;
  QRgb blockBottom;
};

class XpProgressBarLook : public ::testing::TestWithParam<LookColours> {};

QRgb ColumnAverage(const QImage& img, int x) {
  double r = 0, g = 0, b = 0;
  for (int y = 0; y < img.height(); ++y)
    r += qRed(img.pixel(x, y)), g += qGreen(img.pixel(x, y)), b += qBlue(img.pixel(x, y));
  const double n = img.height();
  return qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))) & 0xffffffu;
}

int Luma(QRgb c) { return 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c); }

TEST_P(XpProgressBarLook, HasTheStatedColoursInTheirPlaces) {
  const LookColours& c = GetParam();
  EXPECT_EQ(LookName(c.look), QString::fromLatin1(c.name));
  const auto set = LookPicturesFor(c.look);
  ASSERT_TRUE(set);
  for (const auto& pic : *set) ASSERT_EQ(pic.image().size(), QSize(8, 10));

  const QImage tail = (*set)[0].image(), middle = (*set)[1].image(), block = (*set)[2].image();
  EXPECT_EQ(ColumnAverage(tail, 0), c.tailLeft);
  EXPECT_EQ(ColumnAverage(tail, 7), c.tailRight);
  EXPECT_EQ(ColumnAverage(middle, 0), c.middleLeft);
  EXPECT_EQ(ColumnAverage(middle, 7), c.middleRight);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(At(block, x, 0), c.blockTop);
    EXPECT_EQ(At(block, x, c.darkestRow), c.blockDarkest);
    EXPECT_EQ(At(block, x, 9), c.blockBottom);
  }
  for (int y = 0; y < 10; ++y)
    if (y != c.darkestRow) {
      EXPECT_GT(Luma(At(block, 0, y)), Luma(c.blockDarkest)) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Looks, XpProgressBarLook,
    ::testing::Values(
        LookColours{0, "master", 0xcbf4cc, 0x7ce37e, 0x97e998, 0x56db58, 0x94e995, 0x28d22b, 5, 0x75e277},
        LookColours{1, "blue", 0xc8e3fe, 0x83bffc, 0x67b2fc, 0x228ffb, 0x409fff, 0x0076ec, 5, 0x3399ff},
        LookColours{2, "bluemet", 0xe9f2f7, 0xa0bed1, 0x86aabd, 0x3c7086, 0x5892b9, 0x0a3d2a, 5, 0x38759f},
        LookColours{3, "goldmet", 0xfdf9fd, 0xf4e4cc, 0xefd8ae, 0xdfbc56, 0xecd39f, 0xd8a62f, 5, 0xe2c36a},
        LookColours{4, "grmet", 0xcfe2ca, 0xc9dfc3, 0xbdd7b6, 0x99c28e, 0x95b38e, 0x75a66a, 6, 0x98c88c},
        LookColours{5, "greymet", 0xececec, 0xd3d3d3, 0xc2c2c2, 0x999999, 0xcbcbcb, 0x6c6c6c, 5, 0xa8a8a8},
        LookColours{6, "orangemet", 0xfffcf1, 0xfff1be, 0xffeba4, 0xffde65, 0xffe996, 0xffd22c, 5, 0xffe277},
        LookColours{7, "redmet", 0xf3ccb5, 0xf3ceb7, 0xf1c6ab, 0xe89f72, 0xe9a77f, 0xe47e3f, 4, 0xebb899}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(XpProgressBarArithmetic, RoundToInt16IsHalfToEvenAndSaturates) {
  const std::pair<double, int> cases[] = {{2.5, 2},         {3.5, 4},         {-2.5, -2},         {6.4999, 6},
                                          {32767.4, 32767}, {40000.0, 32767}, {-40000.0, -32768}, {NAN, 0}};
  for (const auto& [in, out] : cases) EXPECT_EQ(RoundToInt16(in), out) << in;
}

// A division by the zero range would not show on the bar (it is multiplied by a zero count there).
TEST(XpProgressBarArithmetic, ZeroRangeHasNoExtent) { EXPECT_EQ(ExtentPerUnit(260, 0), 0.0); }

}  // namespace
}  // namespace kelvane::controls
