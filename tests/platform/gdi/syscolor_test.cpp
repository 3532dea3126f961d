#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gdi/syscolor.h"

namespace kelvane::gdi {
namespace {

struct TranslateCase {
  std::uint32_t value;
  bool ok;
  std::int32_t expected;  // for failures: the preset, untouched
};
class Translate : public ::testing::TestWithParam<TranslateCase> {};

TEST_P(Translate, PlainPassesSystemResolvesOthersKeepThePreset) {
  std::int32_t out = 0x55;
  const HRESULT hr = OleTranslateColor(GetParam().value, 0, out);
  EXPECT_EQ(SUCCEEDED(hr), GetParam().ok);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Translate,
    ::testing::Values(TranslateCase{0x00C0C0C0u, true, 0xC0C0C0}, TranslateCase{0, true, 0},
                      TranslateCase{0x00FFFFFFu, true, 0xFFFFFF},
                      TranslateCase{0x01000005u, false, 0x55}, TranslateCase{0x02FF0000u, false, 0x55},
                      TranslateCase{0x80000000u | 31u, false, 0x55},
                      TranslateCase{0x80001005u, false, 0x55}, TranslateCase{0xFFFFFFFFu, false, 0x55}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Translate, SystemColourIsTheCurrentSystemValue) {
  for (int i = 0; i < kSysColorCount; ++i) {
    std::int32_t out = -1;
    ASSERT_EQ(OleTranslateColor(0x80000000u | static_cast<std::uint32_t>(i), 0, out), S_OK);
    EXPECT_EQ(static_cast<ColorRef>(out), GetSysColor(i)) << i;
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
