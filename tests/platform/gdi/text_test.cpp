#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/gdi/text.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

struct PrefixCase {
  const char* text;
  const char* shown;
  std::vector<qsizetype> underlined;
};
class Prefixes : public ::testing::TestWithParam<PrefixCase> {};
TEST_P(Prefixes, AmpersandsBecomeUnderlines) {
  const ShownText s = StripPrefixes(QString::fromUtf8(GetParam().text));
  EXPECT_EQ(s.text, QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(s.underlined, GetParam().underlined);
}
INSTANTIATE_TEST_SUITE_P(Table, Prefixes,
                         ::testing::Values(PrefixCase{"", "", {}}, PrefixCase{"&&", "&", {}},
                                           PrefixCase{"&Ok", "Ok", {0}},
                                           PrefixCase{"a&b&&c", "ab&c", {1}},
                                           PrefixCase{"&&&x", "&x", {1}}, PrefixCase{"x&", "x", {}}));

// Ten pixels a character makes the expected breaks easy to read.
int TenPerChar(const QString& s) { return static_cast<int>(s.size()) * 10; }

struct BreakCase {
  const char* text;
  int width;
  unsigned format;
  std::vector<TextLine> lines;
};
class Breaks : public ::testing::TestWithParam<BreakCase> {};
TEST_P(Breaks, SplitAtWordsAndLineBreaks) {
  EXPECT_EQ(BreakLines(QString::fromUtf8(GetParam().text), GetParam().width, GetParam().format,
                       TenPerChar),
            GetParam().lines);
}
INSTANTIATE_TEST_SUITE_P(
    Table, Breaks,
    ::testing::Values(BreakCase{"", 100, DT_WORDBREAK, {}},
                      BreakCase{"one two", 100, DT_WORDBREAK, {{0, 7, 70}}},
                      BreakCase{"one two three", 75, DT_WORDBREAK, {{0, 7, 70}, {8, 5, 50}}},
                      BreakCase{"longword a", 30, DT_WORDBREAK, {{0, 8, 80}, {9, 1, 10}}},
                      BreakCase{"a  b", 25, DT_WORDBREAK, {{0, 1, 10}, {3, 1, 10}}},
                      BreakCase{"a b", 0, DT_WORDBREAK, {{0, 1, 10}, {2, 1, 10}}},
                      BreakCase{"one two three", 30, 0, {{0, 13, 130}}},
                      BreakCase{"a\r\nb\rc", 100, DT_WORDBREAK, {{0, 1, 10}, {3, 1, 10}, {5, 1, 10}}},
                      BreakCase{"a\n", 100, DT_WORDBREAK, {{0, 1, 10}}},
                      BreakCase{"\n\nx", 100, DT_WORDBREAK, {{0, 0, 0}, {1, 0, 0}, {2, 1, 10}}},
                      BreakCase{"a\nb", 100, DT_SINGLELINE, {{0, 3, 30}}}));

class DrawText : public ::testing::Test {
 protected:
  DrawText() : surface(Paper(60, 40)), dc(surface) {
    font.setPointSize(9);
    SelectObject(dc, Font(font));
    SetTextColor(dc, kBlack);
  }
  QFontMetrics metrics() const { return QFontMetrics(font); }
  Rect Calc(const QString& text, Rect r) {
    DrawTextA(dc, text, r, DT_CALCRECT | DT_WORDBREAK);
    return r;
  }
  // The bounding box of every pixel that is not white; empty when nothing was drawn.
  QRect Ink() const {
    QRect box;
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x)
        if (surface.pixel(x, y) != 0xFFFFFFFFu) box |= QRect(x, y, 1, 1);
    return box;
  }

  QFont font{"DejaVu Sans"};
  Surface surface;
  Dc dc;
};

TEST_F(DrawText, CalcRectOfEmptyTextKeepsLeftTopAndIsEmpty) {
  EXPECT_EQ(Calc("", {5, 7, 50, 30}), (Rect{5, 7, 5, 7}));
}

TEST_F(DrawText, CalcRectOfOneLineAndOfTheDoubledPrefix) {
  const QFontMetrics fm = metrics();
  EXPECT_EQ(Calc("Hi", {5, 7, 50, 30}), (Rect{5, 7, 5 + fm.horizontalAdvance("Hi"), 7 + fm.height()}));
  EXPECT_EQ(Calc("&&", {0, 0, 50, 30}), (Rect{0, 0, fm.horizontalAdvance("&"), fm.height()}));
  EXPECT_EQ(Calc("&Ok", {0, 0, 50, 30}), (Rect{0, 0, fm.horizontalAdvance("Ok"), fm.height()}));
  EXPECT_TRUE(Ink().isEmpty());  // measuring draws nothing
}

TEST_F(DrawText, CalcRectOfWrappedTextCountsLinesAndTheWidestLine) {
  const QFontMetrics fm = metrics();
  const int width = fm.horizontalAdvance("mmm ii");  // a line that just fits is kept
  EXPECT_EQ(Calc("mmm ii mmm\r\nii", {2, 3, 2 + width, 10}),
            (Rect{2, 3, 2 + width, 3 + 3 * fm.height()}));
  EXPECT_EQ(Calc("mmm ii mmm", {2, 3, 1 + width, 10}),
            (Rect{2, 3, 2 + fm.horizontalAdvance("mmm"), 3 + 3 * fm.height()}));
}

TEST_F(DrawText, DrawsCentredWithoutBackgroundAndClipped) {
  Rect r{5, 5, 55, 35};
  DrawTextA(dc, "Hi", r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
  const QRect ink = Ink();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_LE(std::abs((ink.left() - 5) - (54 - ink.right())), 3);
  // Without a single line the text starts at the top; no background is painted around it.
  EXPECT_LT(ink.bottom(), 5 + metrics().height());
  EXPECT_EQ(surface.pixel(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(surface.pixel(54, 34), 0xFFFFFFFFu);
}

TEST_F(DrawText, SingleLineVCentreMovesTheTextDown) {
  Rect r{0, 0, 60, 40};
  DrawTextA(dc, "Hi", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_GE(Ink().top(), (40 - metrics().height()) / 2);
}

TEST_F(DrawText, OverwideWordStaysWholeAndIsClippedToTheRectangle) {
  Rect r{20, 10, 30, 30};
  DrawTextA(dc, "WWWWWW", r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
  const QRect ink = Ink();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(20, 10, 10, 20).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width();
  EXPECT_LT(ink.bottom(), 10 + metrics().height());  // one line, not broken inside the word
}

TEST_F(DrawText, PrefixUnderlinesUnlessHiddenOrDisabled) {
  const auto draw = [&](const QString& text, unsigned flags) {
    surface.clear();
    Rect r{0, 0, 60, 40};
    DrawTextA(dc, text, r, flags);
    return surface.image().copy();
  };
  const QImage plain = draw("H", 0);
  EXPECT_NE(draw("&H", 0), plain);
  EXPECT_EQ(draw("&H", DT_HIDEPREFIX), plain);
  EXPECT_NE(draw("&H", DT_NOPREFIX), plain);
}

}  // namespace
}  // namespace kelvane::gdi
