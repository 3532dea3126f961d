#include "platform/memory/headroom.h"

#include <gtest/gtest.h>

#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

constexpr std::uint64_t kGiB = 1024 * kMiB;
constexpr std::uint64_t kBlock = 40960;

TEST(Reserve, SmallMachinesKeepTheFloorAndUnknownMeansNone) {
  EXPECT_EQ(ReserveFor(4 * kGiB), kMinReserve);
  EXPECT_EQ(HeadroomFromStatus({4 * kGiB, kMinReserve / 2}, kMinReserve), 0u);
  // An unreadable status must not be mistaken for plenty.
  EXPECT_EQ(HeadroomFromStatus({0, 0}, 0), 0u);
}

struct BudgetCase {
  std::uint64_t headroom;
  std::uint64_t request;
  std::uint64_t expected;
};

class BudgetTest : public ::testing::TestWithParam<BudgetCase> {};

TEST_P(BudgetTest, SpendsASliceOfTheHeadroom) {
  EXPECT_EQ(BudgetFor(GetParam().headroom, GetParam().request), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, BudgetTest,
                         ::testing::Values(BudgetCase{20 * kGiB, kBlock, kMaxBudget},
                                           BudgetCase{80 * kMiB, kBlock, 10 * kMiB},
                                           BudgetCase{2 * kBlock, kBlock, kBlock},
                                           BudgetCase{kBlock, kBlock, kBlock},
                                           BudgetCase{kBlock - 1, kBlock, 0},
                                           BudgetCase{0, kBlock, 0}));

class HeadroomGateTest : public ::testing::Test {
 protected:
  PageBlockAllocatorOptions Options(std::uint64_t availKb) {
    PageBlockAllocatorOptions options;
    options.meminfoPath = dir.Write("meminfo", "MemTotal: 25165824 kB\nMemAvailable: " +
                                                   std::to_string(availKb) + " kB\n");
    options.procSelfCgroupPath = dir.Write("cgroup", "0::/\n");
    options.cgroupRoot = (dir.path() / "cg").string();
    return options;
  }

  test_support::TempDir dir;
};

TEST_F(HeadroomGateTest, SamplesOncePerBudgetNotPerBlock) {
  HeadroomGate gate(Options(20 * 1024 * 1024));  // 20 GiB available
  constexpr int kBlocks = 1000;                    // ~40 MiB, inside one 64 MiB budget
  for (int i = 0; i < kBlocks; ++i) ASSERT_TRUE(gate.Admit(kBlock, 0));
  EXPECT_EQ(gate.sampleCount(), 1);
}

TEST_F(HeadroomGateTest, DefaultReserveIsFivePercentOfTotal) {
  // 24 GiB total: reserve 1.2 GiB. One block above it passes, one block short fails.
  const std::uint64_t reserveKb = (ReserveFor(24 * kGiB) + 1023) / 1024;
  EXPECT_TRUE(HeadroomGate(Options(reserveKb + kBlock / 1024)).Admit(kBlock, 0));
  EXPECT_FALSE(HeadroomGate(Options(reserveKb + kBlock / 1024 - 1)).Admit(kBlock, 0));
}

TEST_F(HeadroomGateTest, CgroupLimitBindsBelowSystemHeadroom) {
  auto options = Options(20 * 1024 * 1024);
  options.reserveBytes = kMiB;
  options.procSelfCgroupPath = dir.Write("cgroup", "0::/app\n");
  dir.Write("cg/app/memory.max", std::to_string(3 * kMiB));
  dir.Write("cg/app/memory.current", std::to_string(2 * kMiB - kBlock));
  HeadroomGate gate(options);
  EXPECT_EQ(gate.SampleHeadroom(0), kBlock);
  EXPECT_TRUE(gate.Admit(kBlock, 0));
  // The budget is spent, so the next block looks again and sees its own charge.
  dir.Write("cg/app/memory.current", std::to_string(2 * kMiB));
  EXPECT_FALSE(gate.Admit(kBlock, kBlock));
}

TEST_F(HeadroomGateTest, CapCountsWhatIsAlreadyHeld) {
  auto options = Options(20 * 1024 * 1024);
  options.headroomCap = 10 * kBlock;
  HeadroomGate gate(options);
  EXPECT_EQ(gate.SampleHeadroom(4 * kBlock), 6 * kBlock);
  EXPECT_FALSE(gate.Admit(kBlock, 10 * kBlock));
}

}  // namespace
}  // namespace kelvane::mem
