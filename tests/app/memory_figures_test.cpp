#include "app/memory_figures.h"

#include <gtest/gtest.h>

namespace kelvane::app {
namespace {

const QLocale kPeriod(QLocale::English, QLocale::UnitedStates);
const QLocale kComma(QLocale::German, QLocale::Germany);

struct TickCase {
  const char* name;
  std::uint64_t totalBytes;
  std::uint64_t availBytes;
  bool comma;
  double total, free;
  std::int32_t bar;
  const char *freeText, *totalText, *used, *percent;
};

class OneTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(OneTick, SampleThenRefreshShowsExactTexts) {
  const TickCase& c = GetParam();
  const QLocale& loc = c.comma ? kComma : kPeriod;
  const SampledFigures s = SampleFigures(c.totalBytes, c.availBytes, loc);
  EXPECT_DOUBLE_EQ(s.total, c.total);
  EXPECT_DOUBLE_EQ(s.free, c.free);
  EXPECT_EQ(s.barValue, c.bar);
  EXPECT_EQ(s.freeText, QString::fromUtf8(c.freeText));
  EXPECT_EQ(s.totalText, QString::fromUtf8(c.totalText));
  const ShownFigures shown = RefreshFigures(s.totalText, s.freeText, loc);
  EXPECT_EQ(shown.total, s.totalText);
  EXPECT_EQ(shown.free, s.freeText);
  EXPECT_EQ(shown.used, QString::fromUtf8(c.used));
  EXPECT_EQ(shown.percent, QString::fromUtf8(c.percent));
}

INSTANTIATE_TEST_SUITE_P(
    Figures, OneTick,
    ::testing::Values(
        TickCase{"WorkedExample", 268435456, 100000000, false, 257.1, 95.8, 37, "95.80 MB", "257.000 MB",
                 "161.200 Mb", "37 %"},
        // Reading back stops at the comma: whole-number arithmetic.
        TickCase{"CommaLocale", 268435456, 100000000, true, 257.1, 95.8, 37, "95,80 MB", "257,000 MB",
                 "162,000 Mb", "36 %"},
        // 255.5 and 256.5 both show 256 (halves to even); the bar divides by the one-decimal total.
        TickCase{"HalfBelowEven", 266750176, 266750176, false, 255.5, 255.5, 100, "255.50 MB", "256.000 MB",
                 "0.500 Mb", "99 %"},
        TickCase{"HalfAboveEven", 267794208, 0, false, 256.5, 0, 0, "0.00 MB", "256.000 MB", "256.000 Mb",
                 "0 %"},
        TickCase{"WholeFreeShowsTwoZeros", 1044032ull * 1024, 1044032ull * 512, false, 1024, 512, 50,
                 "512.00 MB", "1024.000 MB", "512.000 Mb", "50 %"},
        // 64-bit totals: a 24 GiB machine shows its real size, not a wrapped negative figure.
        TickCase{"TwentyFourGiB", 24ull << 30, 12ull << 30, false, 24683, 12341.5, 50, "12341.50 MB",
                 "24683.000 MB", "12341.500 Mb", "50 %"},
        // No readable total: zeros everywhere, never NaN or garbage.
        TickCase{"NoTotal", 0, 0, false, 0, 0, 0, "0.00 MB", "0.000 MB", "0.000 Mb", "0 %"},
        // Free is never above total, so used never reads negative.
        TickCase{"NoTotalComma", 0, 5000000, true, 0, 0, 0, "0,00 MB", "0,000 MB", "0,000 Mb", "0 %"},
        TickCase{"MoreFreeThanTotal", 268435456, 536870912, false, 257.1, 257.1, 100, "257.10 MB",
                 "257.000 MB", "0.000 Mb", "100 %"},
        // 2.5 shows as 2 (halves to even): the share stops at 100 and used at 0.
        TickCase{"WholeTotalBelowFree", 2610080, 2610080, false, 2.5, 2.5, 100, "2.50 MB", "2.000 MB",
                 "0.000 Mb", "100 %"},
        // 2^53 kB: the total stops at the largest the text can show, free scaled with it.
        TickCase{"TotalBeyondInt32", 1ull << 63, 1ull << 62, false, 2147483647, 1073741823.5, 50,
                 "1073741823.50 MB", "2147483647.000 MB", "1073741823.500 Mb", "50 %"},
        TickCase{"AllOnes", ~0ull, ~0ull, false, 2147483647, 2147483647, 100, "2147483647.00 MB",
                 "2147483647.000 MB", "0.000 Mb", "100 %"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(OneTick, BarAndPercentMayDifferByOne) {
  // 100.4 one-decimal total against a whole total of 100.
  const std::uint64_t total = 1044032ull * 1004 / 10;
  const std::uint64_t free = 1044032ull * 50;
  const SampledFigures s = SampleFigures(total, free, kPeriod);
  EXPECT_EQ(s.barValue, 49);
  EXPECT_EQ(RefreshFigures(s.totalText, s.freeText, kPeriod).percent, "50 %");
}

struct Resample {
  const char* name;
  std::uint64_t totalBefore, availBefore, total, avail;
};
class SampleAfterAnother : public ::testing::TestWithParam<Resample> {};

TEST_P(SampleAfterAnother, ShowsWhatAFreshSampleShows) {
  const Resample& r = GetParam();
  for (const QLocale& loc : {kPeriod, kComma}) {
    const SampledFigures before = SampleFigures(r.totalBefore, r.availBefore, loc);
    const SampledFigures fresh = SampleFigures(r.total, r.avail, loc);
    const SampledFigures after = SampleFigures(r.total, r.avail, loc, &before);
    EXPECT_EQ(after.freeText, fresh.freeText);
    EXPECT_EQ(after.totalText, fresh.totalText);
    EXPECT_EQ(after.barValue, fresh.barValue);
  }
}

constexpr std::uint64_t kMB = 1044032;
INSTANTIATE_TEST_SUITE_P(
    Pairs, SampleAfterAnother,
    ::testing::Values(Resample{"Unchanged", 256 * kMB, 96 * kMB, 256 * kMB, 96 * kMB},
                      Resample{"WithinATenth", 256 * kMB, 96 * kMB, 256 * kMB, 96 * kMB + 4096},
                      Resample{"FreeMoves", 256 * kMB, 96 * kMB, 256 * kMB, 97 * kMB},
                      Resample{"TotalMoves", 256 * kMB, 96 * kMB, 300 * kMB, 96 * kMB},
                      Resample{"ShareStays", 256 * kMB, 96 * kMB, 512 * kMB, 192 * kMB},
                      Resample{"FreeCappedByTheNewTotal", 256 * kMB, 96 * kMB, 90 * kMB, 96 * kMB},
                      Resample{"BeyondInt32Scales", 1ull << 62, 1ull << 61, 1ull << 63, 1ull << 61}),
    [](const auto& test) { return std::string(test.param.name); });

struct LeadingCase {
  const char* text;
  double value;
};
class LeadingNumberReads : public ::testing::TestWithParam<LeadingCase> {};
TEST_P(LeadingNumberReads, Text) {
  EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberReads,
                         ::testing::Values(LeadingCase{"257.000 MB", 257}, LeadingCase{"95.80 MB", 95.8},
                                           LeadingCase{"95,80 MB", 95}, LeadingCase{"  \t\n12 3.5x", 123.5},
                                           LeadingCase{"-4.5", -4.5}, LeadingCase{"+7", 7},
                                           LeadingCase{"Total :", 0}, LeadingCase{"", 0},
                                           LeadingCase{".5", 0.5}, LeadingCase{"1.2.3", 1.2},
                                           LeadingCase{"--1", 0}, LeadingCase{"12-3", 12}));

TEST(FormatFixed, NoGroupingAndLocaleSeparator) {
  EXPECT_EQ(FormatFixed(1234567.5, 2, kPeriod), "1234567.50");
  EXPECT_EQ(FormatFixed(1234567.5, 2, kComma), "1234567,50");
  EXPECT_EQ(FormatFixed(0.4, 3, kPeriod), "0.400");
  EXPECT_EQ(FormatFixed(-1e-9, 3, kPeriod), "0.000");
  EXPECT_EQ(FormatFixed(-2.5, 3, kPeriod), "-2.500");
}

}  // namespace
}  // namespace kelvane::app
