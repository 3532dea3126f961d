#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

#include "platform/gdi/syscolor.h"
#include "platform/gdi/text.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::gdi {
namespace {

using namespace testing;

TEST(StripPrefixes, AmpersandsBecomeUnderlines) {
  struct Case {
    const char* text;
    const char* shown;
    std::vector<qsizetype> underlined;
  };
  for (const Case& c : {Case{"", "", {}}, Case{"&&", "&", {}}, Case{"&Ok", "Ok", {0}},
                        Case{"a&b&&c", "ab&c", {1}}, Case{"&&&x", "&x", {1}}, Case{"x&", "x", {}}}) {
    const ShownText s = StripPrefixes(QString::fromUtf8(c.text));
    EXPECT_EQ(s.text, QString::fromUtf8(c.shown)) << c.text;
    EXPECT_EQ(s.underlined, c.underlined) << c.text;
  }
}

TEST(BreakLines, SplitAtWordsAndLineBreaks) {
  struct Case {
    const char* text;
    int width;
    unsigned format;
    std::vector<TextLine> lines;
  };
  const Case cases[] = {
      {"", 100, DT_WORDBREAK, {}},
      {"one two", 100, DT_WORDBREAK, {{0, 7, 70}}},
      {"one two three", 75, DT_WORDBREAK, {{0, 7, 70}, {8, 5, 50}}},
      {"longword a", 30, DT_WORDBREAK, {{0, 8, 80}, {9, 1, 10}}},
      {"a  b", 25, DT_WORDBREAK, {{0, 1, 10}, {3, 1, 10}}},
      {"a b", 0, DT_WORDBREAK, {{0, 1, 10}, {2, 1, 10}}},
      {"one two three", 30, 0, {{0, 13, 130}}},
      {"a\r\nb\rc", 100, DT_WORDBREAK, {{0, 1, 10}, {3, 1, 10}, {5, 1, 10}}},
      {"a\n", 100, DT_WORDBREAK, {{0, 1, 10}}},
      {"\n\nx", 100, DT_WORDBREAK, {{0, 0, 0}, {1, 0, 0}, {2, 1, 10}}},
      {"a\nb", 100, DT_SINGLELINE, {{0, 3, 30}}},
  };
  // Ten pixels a character makes the expected breaks easy to read.
  const auto tenPerChar = [](const QString& s) { return static_cast<int>(s.size()) * 10; };
  for (const Case& c : cases)
    EXPECT_EQ(BreakLines(QString::fromUtf8(c.text), c.width, c.format, tenPerChar), c.lines)
        << c.text << " in " << c.width;
}

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

TEST_F(DrawText, CalcRectOfEmptyTextOneLineAndPrefixes) {
  const QFontMetrics fm = metrics();
  EXPECT_EQ(Calc("", {5, 7, 50, 30}), (Rect{5, 7, 5, 7}));
  EXPECT_EQ(Calc("Hi", {5, 7, 50, 30}), (Rect{5, 7, 5 + fm.horizontalAdvance("Hi"), 7 + fm.height()}));
  EXPECT_EQ(Calc("&&", {0, 0, 50, 30}), (Rect{0, 0, fm.horizontalAdvance("&"), fm.height()}));
  EXPECT_EQ(Calc("&Ok", {0, 0, 50, 30}), (Rect{0, 0, fm.horizontalAdvance("Ok"), fm.height()}));
  EXPECT_TRUE(Ink().isEmpty());  // measuring draws nothing
}

TEST_F(DrawText, CalcRectOfWrappedTextCountsLinesAndTheWidestLine) {
  const QFontMetrics fm = metrics();
  const int width = fm.horizontalAdvance("mmm ii");  // a line that just fits is kept
  EXPECT_EQ(Calc("mmm ii mmm\r\nii", {2, 3, 2 + width, 10}), (Rect{2, 3, 2 + width, 3 + 3 * fm.height()}));
  EXPECT_EQ(Calc("mmm ii mmm", {2, 3, 1 + width, 10}),
            (Rect{2, 3, 2 + fm.horizontalAdvance("mmm"), 3 + 3 * fm.height()}));
}

TEST_F(DrawText, DrawsCentredWithoutBackgroundAndOnlySingleLineCentresVertically) {
  Rect r{5, 5, 55, 35};
  DrawTextA(dc, "Hi", r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
  const QRect ink = Ink();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_LE(std::abs((ink.left() - 5) - (54 - ink.right())), 3);
  // Without a single line the text starts at the top; no background is painted around it.
  EXPECT_LT(ink.bottom(), 5 + metrics().height());
  EXPECT_EQ(surface.pixel(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(surface.pixel(54, 34), 0xFFFFFFFFu);
  surface.clear();
  r = {0, 0, 60, 40};
  DrawTextA(dc, "Hi", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_GE(Ink().top(), (40 - metrics().height()) / 2);
}

TEST_F(DrawText, OverwideWordStaysWholeAndIsClippedToTheRectangle) {
  Rect r{20, 10, 30, 30};
  DrawTextA(dc, "WWWWWW", r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
  const QRect ink = Ink();
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(20, 10, 10, 20).contains(ink)) << ink.x() << "," << ink.y();
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

// Shaped text is kept between calls: a text measured or drawn before must not stand in for one
// that differs in font, width, format or prefix.
TEST_F(DrawText, RepeatedTextIsMeasuredAfreshForEachFontWidthAndFormat) {
  QFont bold = font, larger = font;
  bold.setBold(true);
  larger.setPointSize(14);
  const QString text = "mmm ii mmm";
  struct Case {
    QFont font;
    int width;
    unsigned format;
  };
  const int fits = QFontMetrics(font).horizontalAdvance(text);
  for (int pass = 0; pass < 2; ++pass) {
    for (const Case& c :
         {Case{font, fits, DT_WORDBREAK}, Case{bold, fits, DT_WORDBREAK}, Case{larger, fits, DT_WORDBREAK},
          Case{font, fits / 2, DT_WORDBREAK}, Case{font, fits / 2, 0u}, Case{font, fits, DT_SINGLELINE}}) {
      const QFontMetrics fm(c.font);
      int widest = 0, lines = 0;
      for (const TextLine& l :
           BreakLines(text, c.width, c.format, [&](const QString& s) { return fm.horizontalAdvance(s); })) {
        widest = std::max(widest, l.width);
        ++lines;
      }
      const Rect expected{0, 0, widest, lines * fm.height()};
      SelectObject(dc, Font(c.font));
      Rect r{0, 0, c.width, 30};
      DrawTextA(dc, text, r, c.format | DT_CALCRECT);
      EXPECT_EQ(r, expected) << pass << " " << c.font.toString().toStdString() << " " << c.width << " "
                             << c.format;
    }
  }
}

TEST(TextGeneration, MovesOnWhenTheInstalledFontsChange) {
  const std::uint64_t before = TextGeneration();
  EXPECT_EQ(TextGeneration(), before);
  const int id = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  ASSERT_NE(id, -1);
  const std::uint64_t added = TextGeneration();
  EXPECT_NE(added, before);
  QFontDatabase::removeApplicationFont(id);
  EXPECT_NE(TextGeneration(), added);
}

TEST(TranslateColor, PlainPassesInvalidHasNoValue) {
  struct Case {
    std::uint32_t value;
    bool ok;
    std::int32_t expected;  // for failures: what value_or(0x55) gives
  };
  for (const Case& c :
       {Case{0x00C0C0C0u, true, 0xC0C0C0}, Case{0, true, 0}, Case{0x00FFFFFFu, true, 0xFFFFFF},
        Case{0x01000005u, false, 0x55}, Case{0x02FF0000u, false, 0x55}, Case{0x80000000u | 31u, false, 0x55},
        Case{0x80001005u, false, 0x55}, Case{0xFFFFFFFFu, false, 0x55}}) {
    const std::optional<ColorRef> out = TranslateColor(c.value);
    EXPECT_EQ(out.has_value(), c.ok) << std::hex << c.value;
    EXPECT_EQ(out.value_or(0x55), static_cast<ColorRef>(c.expected)) << std::hex << c.value;
  }
}

TEST(TranslateColor, SystemColourIsTheCurrentSystemValue) {
  for (int i = 0; i < kSysColorCount; ++i) {
    EXPECT_EQ(TranslateColor(0x80000000u | static_cast<std::uint32_t>(i)), GetSysColor(i)) << i;
  }
}

TEST(GetSysColor, FollowsTheApplicationPalette) {
  const QPalette saved = QApplication::palette();
  QPalette pal = saved;
  pal.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
  pal.setColor(QPalette::Active, QPalette::ButtonText, QColor(4, 5, 6));
  pal.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
  pal.setColor(QPalette::Disabled, QPalette::Text, QColor(10, 11, 12));
  QApplication::setPalette(pal);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), RGB(4, 5, 6));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(7, 8, 9));
  EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), RGB(10, 11, 12));
  QApplication::setPalette(saved);
}

TEST(GetSysColor, ClassicValuesWhereNoRoleAppliesAndZeroOutOfRange) {
  EXPECT_EQ(GetSysColor(COLOR_GRADIENTACTIVECAPTION), RGB(166, 202, 240));
  EXPECT_EQ(ClassicSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(kSysColorCount), 0u);
}

}  // namespace
}  // namespace kelvane::gdi
