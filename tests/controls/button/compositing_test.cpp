#include "controls/button/compositing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/button/colors.h"
#include "platform/gdi/surface.h"

namespace kelvane::controls {

void PrintTo(const Bgr& p, std::ostream* os) {
  *os << "(r" << int{p.r} << " g" << int{p.g} << " b" << int{p.b} << ")";
}

namespace {

constexpr std::int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr Bgr Px(int r, int g, int b) {
  return Bgr{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r)};
}

constexpr std::int32_t kMaskGrey = Rgb(192, 192, 192);
constexpr std::int32_t kTint = Rgb(0, 128, 0);
constexpr std::int32_t kNone = -1;

// ---- GreyLevel ----

TEST(GreyLevel, RoundsTheRedTermFirstThenTheSumBothToEvenOnATie) {
  struct Case {
    int r, g, b, expected;
  };
  const Case cases[] = {
      {255, 255, 255, 254},  // 76.5 -> 76, then 76 + 150.45 + 28.05 = 254.5 -> 254
      {255, 0, 0, 76},       // 76.5 -> 76
      {0, 255, 0, 150},      // 150.45
      {0, 0, 255, 28},       // 28.05
      {128, 128, 128, 128},  // 38.4 -> 38, 38 + 75.52 + 14.08 = 127.6
      {5, 0, 0, 2},          // 1.5 -> 2
      {15, 0, 0, 4},         // 4.5 -> 4
      {0, 50, 0, 30},        // 29.5 -> 30
      {0, 150, 0, 88},       // 88.5 -> 88
      {100, 200, 50, 154},   // 30 + 118 + 5.5 = 153.5 -> 154
      {0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GreyLevel(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                        static_cast<std::uint8_t>(c.b)),
              c.expected)
        << "(" << c.r << ", " << c.g << ", " << c.b << ")";
  }
}

// ---- ComposePixel ----

TEST(ComposePixel, AppliesTheFirstRuleThatMatches) {
  struct Case {
    const char* name;
    Bgr picture, background;
    CompositeRules rules;
    Bgr expected;
  };
  const Bgr white = Px(255, 255, 255);
  const Bgr black = Px(0, 0, 0);
  const Bgr sky = Px(10, 20, 30);
  const Case cases[] = {
      {"mask exact match keeps the background", Px(192, 192, 192), sky, {kMaskGrey}, sky},
      {"blue one off the mask is drawn", Px(192, 192, 193), sky, {kMaskGrey}, Px(192, 192, 193)},
      {"red one off the mask is drawn", Px(193, 192, 192), sky, {kMaskGrey}, Px(193, 192, 192)},
      {"no mask: the mask colour is drawn", Px(192, 192, 192), sky, {kNone}, Px(192, 192, 192)},
      {"black picture with no mask is drawn, not taken for -1", black, sky, {kNone}, black},
      {"mask is checked before the tint", Px(192, 192, 192), sky, {kMaskGrey, kTint}, sky},
      {"tint paints an opaque pixel", Px(1, 2, 3), sky, {kNone, kTint}, Px(0, 128, 0)},
      {"tint 0 paints black", white, sky, {kNone, 0}, black},
      {"tint wins over greyscale and blend", white, sky, {kNone, kTint, false, true, true}, Px(0, 128, 0)},
      {"dark only paints a sum of 384", Px(128, 128, 128), sky, {kNone, kTint, true}, Px(0, 128, 0)},
      {"dark only keeps the background for 385", Px(129, 128, 128), sky, {kNone, kTint, true}, sky},
      {"dark only does nothing without a tint",
       Px(129, 128, 128),
       sky,
       {kNone, kNone, true},
       Px(129, 128, 128)},
      {"greyscale of white is 254", white, sky, {kNone, kNone, false, true}, Px(254, 254, 254)},
      {"greyscale wins over blend", Px(255, 0, 0), sky, {kNone, kNone, false, true, true}, Px(76, 76, 76)},
      {"blend 255 over 0 is 170", white, black, {kNone, kNone, false, false, true}, Px(170, 170, 170)},
      {"blend 0 over 255 is 85", black, white, {kNone, kNone, false, false, true}, Px(85, 85, 85)},
      // (2*100 + 10)/3 = 70, (2*50 + 20)/3 = 40, (2*1 + 30)/3 = 10.67 -> 10
      {"blend truncates per channel",
       Px(100, 50, 1),
       sky,
       {kNone, kNone, false, false, true},
       Px(70, 40, 10)},
      {"plain copy otherwise", Px(1, 2, 3), sky, {kMaskGrey}, Px(1, 2, 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComposePixel(c.picture, c.background, c.rules), c.expected) << c.name;
  }
}

// ---- Row layout and whole buffers ----

TEST(PictureRowStride, PadsThreeBytesAPixelToFour) {
  const std::pair<std::int32_t, std::optional<std::int64_t>> cases[] = {{0, 0},  {1, 4},  {3, 12},
                                                                        {4, 12}, {5, 16}, {-1, std::nullopt}};
  for (const auto& [width, stride] : cases) EXPECT_EQ(PictureRowStride(width), stride) << width;
}

// Two rows of five pixels: 15 bytes of pixels and one padding byte a row.
TEST(ComposePicture, FivePixelRowsUseSixteenBytesAndLeaveThePaddingAlone) {
  constexpr std::uint8_t P = 0xEE;  // padding sentinel
  // Background: row 0 all white, row 1 all black (blue, green, red order).
  std::vector<std::uint8_t> background = {
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, P,
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   P,
  };
  // Picture: mask grey, red, black, blue, white; then white, mask grey, green, (192,192,193), black.
  const std::vector<std::uint8_t> picture = {
      192, 192, 192, 0,   0,   255, 0, 0,   0, 255, 0,   0,   255, 255, 255, 7,
      255, 255, 255, 192, 192, 192, 0, 255, 0, 193, 192, 192, 0,   0,   0,   9,
  };
  const CompositeRules blend{kMaskGrey, kNone, false, false, true};
  ASSERT_TRUE(ComposePicture(background, picture, 5, 2, blend));
  const std::vector<std::uint8_t> expected = {
      // over white: masked, red (85,85,255 bgr), black 85, blue (255,85,85 bgr), white 255
      255,
      255,
      255,
      85,
      85,
      255,
      85,
      85,
      85,
      255,
      85,
      85,
      255,
      255,
      255,
      P,
      // over black: white 170, masked, green (0,170,0), (193,192,192)*2/3 = (128,128,128), black
      170,
      170,
      170,
      0,
      0,
      0,
      0,
      170,
      0,
      128,
      128,
      128,
      0,
      0,
      0,
      P,
  };
  EXPECT_EQ(background, expected);
}

TEST(ComposePicture, RefusesSizesItsBuffersCannotHoldAndTouchesNothing) {
  struct Case {
    const char* name;
    std::size_t backgroundBytes, pictureBytes;
    std::int32_t width, height;
  };
  const Case cases[] = {
      {"background one byte short of two padded rows", 31, 32, 5, 2},
      {"picture one byte short of two padded rows", 32, 31, 5, 2},
      {"width 0", 32, 32, 0, 2},
      {"height 0", 32, 32, 5, 0},
      {"negative width", 32, 32, -5, 2},
      {"negative height", 32, 32, 5, -2},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> background(c.backgroundBytes, 1);
    const std::vector<std::uint8_t> picture(c.pictureBytes, 2);
    EXPECT_FALSE(ComposePicture(background, picture, c.width, c.height, {})) << c.name;
    EXPECT_EQ(background, std::vector<std::uint8_t>(c.backgroundBytes, 1)) << c.name;
  }
}

// ---- BlitPicture on surfaces ----

// One character a colour, so whole tiny images can be written out and compared.
const std::map<char, QRgb>& Legend() {
  static const std::map<char, QRgb> legend = {
      {'.', qRgb(255, 255, 255)}, {'#', qRgb(0, 0, 0)},       {'r', qRgb(255, 0, 0)},
      {'b', qRgb(0, 0, 255)},     {'m', qRgb(192, 192, 192)}, {'n', qRgb(192, 192, 193)},
      {'d', qRgb(128, 128, 128)}, {'D', qRgb(129, 128, 128)}, {'T', qRgb(0, 128, 0)},
      {'w', qRgb(254, 254, 254)}, {'4', qRgb(76, 76, 76)},    {'2', qRgb(28, 28, 28)},
      {'x', qRgb(255, 85, 85)},   {'X', qRgb(170, 0, 0)},     {'z', qRgb(85, 85, 255)},
      {'Z', qRgb(0, 0, 170)},     {'s', qRgb(170, 170, 170)}, {'S', qRgb(85, 85, 85)},
  };
  return legend;
}

// ' ' is a fully transparent pixel (for icons).
QImage Image(const std::vector<std::string>& rows) {
  QImage img(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      img.setPixel(x, y, c == ' ' ? 0u : Legend().at(c));
    }
  return img;
}

gdi::Surface SurfaceOf(const std::vector<std::string>& rows) {
  gdi::Surface s(QSize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size())));
  s.image() = Image(rows).convertToFormat(QImage::Format_RGB32);
  return s;
}

std::vector<std::string> RowsOf(const gdi::Surface& s) {
  std::vector<std::string> rows;
  for (int y = 0; y < s.height(); ++y) {
    std::string row;
    for (int x = 0; x < s.width(); ++x) {
      char c = '?';
      for (const auto& [ch, rgb] : Legend())
        if (rgb == s.pixel(x, y)) c = ch;
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

struct Blit {
  const char* name;
  std::vector<std::string> target;
  std::vector<std::string> picture;
  bool icon;
  std::int32_t x, y, width, height;
  std::int32_t tint;
  bool darkOnly, greyscale, blend;
  PictureMaskProperties properties;
  std::vector<std::string> expected;
};

void RunBlit(const Blit& c) {
  gdi::Surface surface = SurfaceOf(c.target);
  gdi::Dc dc(surface);
  const host::Picture picture =
      c.icon ? host::Picture::fromIcon(Image(c.picture)) : host::Picture::fromBitmap(Image(c.picture));
  BlitPicture(dc, c.x, c.y, c.width, c.height, picture, TranslateSystemColor(c.properties.MaskColor), c.tint,
              c.darkOnly, c.greyscale, c.blend, c.properties);
  EXPECT_EQ(RowsOf(surface), c.expected) << c.name;
}

const PictureMaskProperties kMaskOn{true, kMaskGrey};
const PictureMaskProperties kMaskOff{false, kMaskGrey};

TEST(BlitPicture, ComposesTheWholeImageRowsTheRightWayUp) {
  const std::vector<std::string> paper = {".....", ".....", ".....", "....."};
  const Blit cases[] = {
      {"mask exact match shows the background, one off is drawn",
       paper,
       {"mnr", "bbm"},
       false,
       1,
       1,
       3,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       {".....", "..nr.", ".bb..", "....."}},
      {"without UseMaskColor the mask colour is drawn",
       paper,
       {"mnr", "bbm"},
       false,
       1,
       1,
       3,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOff,
       {".....", ".mnr.", ".bbm.", "....."}},
      {"tint paints every opaque pixel",
       paper,
       {"mnr", "bdD"},
       false,
       1,
       1,
       3,
       2,
       kTint,
       false,
       false,
       false,
       kMaskOn,
       {".....", "..TT.", ".TTT.", "....."}},
      {"dark only: sum 384 painted, 385 and white not",
       paper,
       {"dDr", "b#."},
       false,
       1,
       1,
       3,
       2,
       kTint,
       true,
       false,
       false,
       kMaskOn,
       {".....", ".T.T.", ".TT..", "....."}},
      {"greyscale",
       paper,
       {".rb", "m#d"},
       false,
       1,
       1,
       3,
       2,
       kNone,
       false,
       true,
       false,
       kMaskOn,
       {".....", ".w42.", "..#d.", "....."}},
      {"blend two parts picture to one part background",
       {"#####", "#...#", "#####", "#####"},
       {"rbr", "r.b"},
       false,
       1,
       1,
       3,
       2,
       kNone,
       false,
       false,
       true,
       kMaskOn,
       {"#####", "#xzx#", "#XsZ#", "#####"}},
      {"width 0 draws nothing",
       paper,
       {"rrr", "rrr"},
       false,
       1,
       1,
       0,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       paper},
      {"negative height draws nothing",
       paper,
       {"rrr", "rrr"},
       false,
       1,
       1,
       3,
       -2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       paper},
      // Rows too wide for a bitmap: nothing may be read, so nothing is written.
      {"an area too wide to hold draws nothing",
       paper,
       {"rrr", "rrr"},
       false,
       1,
       1,
       0x7FFFFFFF,
       1,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       paper},
      {"partly off the left and bottom edges",
       paper,
       {"rbr", "brb"},
       false,
       -1,
       3,
       3,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       {".....", ".....", ".....", "br..."}},
      {"a picture smaller than the area is padded with black",
       paper,
       {"r"},
       false,
       1,
       1,
       2,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       {".....", ".r#..", ".##..", "....."}},
  };
  for (const Blit& c : cases) RunBlit(c);
}

TEST(BlitPicture, FivePixelWideAreaComposesEveryRow) {
  RunBlit({"five wide, blended over two background rows",
           {".......", ".......", "#######"},
           {"rbm.#", "#m.br"},
           false,
           1,
           1,
           5,
           2,
           kNone,
           false,
           false,
           true,
           kMaskOn,
           {".......", ".xz..S.", "###sZX#"}});
}

TEST(BlitPicture, AnIconsTransparentPartsTakeTheMaskColourAndDropOut) {
  const std::vector<std::string> sky = {"bbbbb", "bbbbb", "bbbbb"};
  const Blit cases[] = {
      {"mask colour property as a plain colour",
       sky,
       {" r ", "r  "},
       true,
       1,
       0,
       3,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOn,
       {"bbrbb", "brbbb", "bbbbb"}},
      // The system colour is filled as its RGB value, the same value the mask colour is given as.
      {"mask colour property as a system colour",
       sky,
       {" r ", "r  "},
       true,
       1,
       0,
       3,
       2,
       kNone,
       false,
       false,
       false,
       PictureMaskProperties{true, static_cast<std::int32_t>(0x8000000Fu)},
       {"bbrbb", "brbbb", "bbbbb"}},
      {"without UseMaskColor the icon's background is drawn",
       sky,
       {" r ", "r  "},
       true,
       1,
       0,
       3,
       2,
       kNone,
       false,
       false,
       false,
       kMaskOff,
       {"bmrmb", "brmmb", "bbbbb"}},
  };
  for (const Blit& c : cases) RunBlit(c);
}

}  // namespace
}  // namespace kelvane::controls
