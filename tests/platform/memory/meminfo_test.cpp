#include "platform/memory/meminfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/memory/memory_status.h"
#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kGiB = 1024 * 1024 * 1024;

struct MeminfoCase {
  const char* name;
  std::string text;
  bool ok;
  MemoryStatus expected;
};
void PrintTo(const MeminfoCase& c, std::ostream* os) { *os << c.name; }

class MeminfoTextTest : public ::testing::TestWithParam<MeminfoCase> {};

TEST_P(MeminfoTextTest, ParsesAndDerives) {
  const MeminfoCase& c = GetParam();
  const MeminfoParse parsed = ParseMeminfo(c.text);
  EXPECT_EQ(parsed.ok(), c.ok) << parsed.error;
  if (c.ok) {
    EXPECT_EQ(DeriveStatus(parsed.values), c.expected) << "the full reading agrees";
  } else {
    EXPECT_EQ(DeriveStatus(parsed.values), MemoryStatus{}) << "a failed reading keeps no figures";
  }
  std::string error;
  EXPECT_EQ(StatusFromMeminfo(c.text, &error), c.expected);
  EXPECT_EQ(error.empty(), c.expected.totalPhys != 0) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Canned, MeminfoTextTest,
    ::testing::Values(
        MeminfoCase{"normal",
                    "MemTotal:       24683772 kB\nMemFree:        24498508 kB\n"
                    "MemAvailable:   24416476 kB\nBuffers:            1352 kB\n"
                    "Cached:            23736 kB\nSwapCached:            0 kB\n"
                    "HugePages_Total:       0\n",
                    true,
                    {24683772 * kKiB, 24416476 * kKiB}},
        MeminfoCase{"no MemAvailable: free + buffers + cached + reclaimable",
                    "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 30 kB\n"
                    "SReclaimable: 5 kB\n",
                    true,
                    {1000 * kKiB, 155 * kKiB}},
        MeminfoCase{"fallback capped at total",
                    "MemTotal: 100 kB\nMemFree: 90 kB\nCached: 90 kB\n",
                    true,
                    {100 * kKiB, 100 * kKiB}},
        MeminfoCase{"available above total",
                    "MemTotal: 100 kB\nMemAvailable: 101 kB\n",
                    true,
                    {100 * kKiB, 100 * kKiB}},
        MeminfoCase{"total missing", "MemFree: 100 kB\nMemAvailable: 90 kB\n", true, {0, 0}},
        MeminfoCase{"empty", "", true, {0, 0}},
        MeminfoCase{"no colons", "\x01\x02 not a meminfo file\n\n", true, {0, 0}},
        MeminfoCase{"letters", "MemTotal: 12a4 kB\nMemAvailable: 1 kB\n", false, {0, 0}},
        MeminfoCase{"negative", "MemTotal: -5 kB\n", false, {0, 0}},
        MeminfoCase{"wrong unit", "MemTotal: 5 MB\n", false, {0, 0}},
        MeminfoCase{"bad figure on a line we read",
                    "MemTotal: 100 kB\nCached: lots kB\nMemAvailable: 50 kB\n",
                    false,
                    {0, 0}},
        MeminfoCase{"bad figure on a line we skip",
                    "MemTotal: 100 kB\nHugepagesize: ??? \nMemAvailable: 50 kB\n",
                    true,
                    {100 * kKiB, 50 * kKiB}},
        // The status needs nothing past MemAvailable; the full reading still reports the line.
        MeminfoCase{"bad figure after the status has its keys",
                    "MemTotal: 100 kB\nMemAvailable: 50 kB\nCached: lots kB\n",
                    false,
                    {100 * kKiB, 50 * kKiB}},
        MeminfoCase{"a repeated key keeps its first figure",
                    "MemTotal: 100 kB\nMemAvailable: 50 kB\nMemTotal: 200 kB\nMemAvailable: 9 kB\n",
                    true,
                    {100 * kKiB, 50 * kKiB}},
        // Nothing left is a figure like any other, not a missing line.
        MeminfoCase{"a first figure of zero is kept and used",
                    "MemTotal: 100 kB\nMemFree: 50 kB\nMemAvailable: 0 kB\nMemAvailable: 9 kB\n",
                    true,
                    {100 * kKiB, 0}},
        MeminfoCase{"beyond 64 bits", "MemTotal: 99999999999999999999999 kB\n", false, {0, 0}},
        MeminfoCase{"overflows in bytes", "MemTotal: 18014398509481984 kB\n", false, {0, 0}},
        MeminfoCase{"largest in bytes",
                    "MemTotal: 18014398509481983 kB\nMemAvailable: 1 kB\n",
                    true,
                    {18014398509481983 * kKiB, kKiB}},
        MeminfoCase{"CRLF, tabs, odd spacing",
                    "MemTotal:\t  2048 kB  \r\n  MemAvailable :1024\tkB\r\n",
                    true,
                    {2048 * kKiB, 1024 * kKiB}},
        MeminfoCase{"no final newline", "MemTotal: 8 kB\nMemAvailable: 4 kB", true, {8 * kKiB, 4 * kKiB}}),
    [](const auto& test) { return "Case" + std::to_string(test.index); });

TEST(Meminfo, ErrorNamesTheLineAndTotalsKeepAll64Bits) {
  EXPECT_EQ(ParseMeminfo("MemTotal: 1 kB\nMemFree: x kB\n").error,
            "memory information line 2 (MemFree): expected a whole number followed by \"kB\"");
  EXPECT_EQ(StatusFromMeminfo("MemTotal: 25165824 kB\nMemAvailable: 20971520 kB\n"),
            (MemoryStatus{24 * kGiB, 20 * kGiB}));
}

// Whichever of our keys comes last, the reading goes on until it has every one of them.
TEST(Meminfo, ReadsEveryKeyWhereverItComes) {
  const std::vector<std::string> lines = {"MemTotal: 1 kB", "MemFree: 2 kB", "MemAvailable: 3 kB",
                                          "Buffers: 4 kB",  "Cached: 5 kB",  "SReclaimable: 6 kB"};
  for (std::size_t last = 0; last < lines.size(); ++last) {
    std::string text = "Active: 9 kB\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i != last) text += lines[i] + "\nSwapCached: 8 kB\n";
    }
    text += lines[last] + "\n";
    const MeminfoValues v = ParseMeminfo(text).values;
    const std::optional<std::uint64_t> read[] = {v.memTotal, v.memFree, v.memAvailable,
                                                 v.buffers,  v.cached,  v.sReclaimable};
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(read[i], (i + 1) * kKiB) << lines[last];
  }
}

TEST(ProcMeminfoSource, RereadsEachSampleAndGrowsItsBuffer) {
  test_support::TempDir dir;
  const auto path = dir.Write("meminfo", "MemTotal: 100 kB\nMemAvailable: 10 kB\n");
  ProcMeminfoSource source(path);
  EXPECT_EQ(source.Sample(), (MemoryStatus{100 * kKiB, 10 * kKiB}));
  // Larger than the first read's buffer.
  const std::string padding = "Padding: " + std::string(20000, ' ') + "\n";
  dir.Write("meminfo", padding + "MemTotal: 100 kB\nMemAvailable: 20 kB\n");
  EXPECT_EQ(source.Sample(), (MemoryStatus{100 * kKiB, 20 * kKiB}));
}

TEST(ProcMeminfoSource, UnreadableOrMalformedGivesZeroWithAReason) {
  test_support::TempDir dir;
  ProcMeminfoSource missing((dir.path() / "absent").string());
  EXPECT_EQ(missing.Sample(), MemoryStatus{});
  EXPECT_NE(missing.lastError().find("cannot open"), std::string::npos) << missing.lastError();
  ProcMeminfoSource malformed(dir.Write("meminfo", "MemTotal: lots kB\n"));
  EXPECT_EQ(malformed.Sample(), MemoryStatus{});
  EXPECT_FALSE(malformed.lastError().empty());
  ProcMeminfoSource huge(dir.Write("meminfo", "MemTotal: 1 kB\n" + std::string(2 << 20, ' ')));
  EXPECT_EQ(huge.Sample(), MemoryStatus{});
  EXPECT_NE(huge.lastError().find("File too large"), std::string::npos) << huge.lastError();
}

}  // namespace
}  // namespace kelvane::mem
