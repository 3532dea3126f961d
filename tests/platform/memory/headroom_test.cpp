#include "platform/memory/headroom.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

using test_support::TempDir;
constexpr std::uint64_t kGiB = 1024 * kMiB;
constexpr std::uint64_t kBlock = 40960;

struct MembershipCase {
  const char* text;
  std::optional<std::string> unified;
  std::optional<std::string> memoryV1;
};
class CgroupMembershipTest : public ::testing::TestWithParam<MembershipCase> {};

TEST_P(CgroupMembershipTest, FindsTheMemoryPaths) {
  const auto membership = ParseProcSelfCgroup(GetParam().text);
  EXPECT_EQ(membership.unified, GetParam().unified);
  EXPECT_EQ(membership.memoryV1, GetParam().memoryV1);
}

INSTANTIATE_TEST_SUITE_P(
    Canned, CgroupMembershipTest,
    ::testing::Values(MembershipCase{"0::/user.slice/session-2.scope\n", "/user.slice/session-2.scope", {}},
                      MembershipCase{"9:name=systemd:/\n4:memory:/jobs/a1\n1:cpu:/\n0::/\n", "/", "/jobs/a1"},
                      MembershipCase{"6:cpu,memory,pids:/grouped\n", {}, "/grouped"},
                      MembershipCase{"7:memoryx:/not-memory\n", {}, {}},
                      MembershipCase{"0::/odd:name\r\n", "/odd:name", {}},
                      // only hierarchy 0 is the unified one, whatever else lists no controller
                      MembershipCase{"0::/real\n3::/controllerless\n", "/real", {}},
                      MembershipCase{"garbage\n\n", {}, {}}, MembershipCase{"", {}, {}}));

TEST(CgroupLevels, WalkFromOwnGroupToTheRootAndNeverEscape) {
  const std::vector<CgroupLevel> expected{
      {"/cg/a/b/memory.max", "/cg/a/b/memory.current"},
      {"/cg/a/memory.max", "/cg/a/memory.current"},
      {"/cg/memory.max", "/cg/memory.current"},
      {"/cg/memory/jobs/memory.limit_in_bytes", "/cg/memory/jobs/memory.usage_in_bytes"},
      {"/cg/memory/memory.limit_in_bytes", "/cg/memory/memory.usage_in_bytes"},
  };
  EXPECT_EQ(CgroupLevelsFor({"/a/b/", "/jobs"}, "/cg"), expected);
  EXPECT_TRUE(CgroupLevelsFor({"../escape", {}}, "/cg").empty());
  EXPECT_TRUE(CgroupLevelsFor({"/a/../../etc", {}}, "/cg").empty());
  // Opened by path, a NUL would cut the name short.
  EXPECT_TRUE(CgroupLevelsFor({std::string("/app\0/x", 7), std::string("/jobs\0", 6)}, "/cg").empty());
  EXPECT_TRUE(ExistingCgroupLevels("/nonexistent/kelvane-cgroup", "/cg").empty());
  // Limit, usage, reserve: never wraps below zero.
  EXPECT_EQ(HeadroomBelowLimit(1000, 300, 200), 500u);
  EXPECT_EQ(HeadroomBelowLimit(1000, 800, 200), 0u);
  EXPECT_EQ(HeadroomBelowLimit(1000, 900, 200), 0u);
  EXPECT_EQ(HeadroomBelowLimit(1000, UINT64_MAX, 1), 0u);
}

struct TreeCase {
  const char* self;
  std::vector<std::pair<const char*, const char*>> files;  // below the cgroup root
  std::uint64_t reserve;
  std::optional<std::uint64_t> headroom;
};
class CgroupTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(CgroupTreeTest, TightestLevelBinds) {
  TempDir dir;
  for (const auto& [file, text] : GetParam().files) dir.Write(std::string("cg/") + file, text);
  const auto levels = ExistingCgroupLevels(dir.Write("self", GetParam().self), (dir.path() / "cg").string());
  EXPECT_EQ(SampleCgroupHeadroom(levels, GetParam().reserve), GetParam().headroom);
}

INSTANTIATE_TEST_SUITE_P(
    Canned, CgroupTreeTest,
    ::testing::Values(
        // The ancestor's limit is the tighter one; the root without memory.max drops out.
        TreeCase{"0::/app/svc\n",
                 {{"app/svc/memory.max", "max\n"},
                  {"app/svc/memory.current", "1000\n"},
                  {"app/memory.max", "5000\n"},
                  {"app/memory.current", "3000\n"}},
                 500,
                 1500},
        TreeCase{"0::/app\n", {{"app/memory.max", "max\n"}, {"app/memory.current", "1\n"}}, 5, {}},
        // Unreadable usage counts as full.
        TreeCase{"0::/app\n", {{"app/memory.max", "5000\n"}}, 0, 0},
        TreeCase{"4:memory:/jobs\n0::/\n",
                 {{"memory/jobs/memory.limit_in_bytes", "10000\n"},
                  {"memory/jobs/memory.usage_in_bytes", "4000\n"},
                  {"memory/memory.limit_in_bytes", "9223372036854771712\n"},
                  {"memory/memory.usage_in_bytes", "4000\n"}},
                 1000,
                 5000}));

TEST(Reserve, SmallMachinesKeepTheFloorAndUnknownMeansNone) {
  EXPECT_EQ(ReserveFor(4 * kGiB), kMinReserve);
  EXPECT_EQ(HeadroomFromStatus({4 * kGiB, kMinReserve / 2}, kMinReserve), 0u);
  // An unreadable status must not be mistaken for plenty.
  EXPECT_EQ(HeadroomFromStatus({0, 0}, 0), 0u);
}

TEST(Budget, SpendsASliceOfTheHeadroomButCoversTheRequest) {
  const std::uint64_t cases[][3] = {{20 * kGiB, kBlock, kMaxBudget},
                                    {80 * kMiB, kBlock, 10 * kMiB},
                                    {2 * kBlock, kBlock, kBlock},
                                    {kBlock, kBlock, kBlock},
                                    {kBlock - 1, kBlock, 0}};
  for (const auto& [headroom, request, expected] : cases)
    EXPECT_EQ(BudgetFor(headroom, request), expected) << headroom;
}

class HeadroomGateTest : public ::testing::Test {
 protected:
  PageBlockAllocatorOptions Options(std::uint64_t availKb, const char* self = "0::/\n") {
    PageBlockAllocatorOptions options;
    options.meminfoPath =
        dir.Write("meminfo", "MemTotal: 25165824 kB\nMemAvailable: " + std::to_string(availKb) + " kB\n");
    options.procSelfCgroupPath = dir.Write("cgroup", self);
    options.cgroupRoot = (dir.path() / "cg").string();
    return options;
  }
  TempDir dir;
};

TEST_F(HeadroomGateTest, SamplesOncePerBudgetNotPerBlock) {
  HeadroomGate gate(Options(20 * 1024 * 1024));
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(gate.Admit(kBlock, 0));  // ~40 MiB: one budget
  EXPECT_EQ(gate.sampleCount(), 1);
}

// Others allocate too: a budget older than its lifetime is not spent without looking again.
TEST_F(HeadroomGateTest, LooksAgainOnceTheBudgetHasAged) {
  HeadroomGate gate(Options(20 * 1024 * 1024));
  ASSERT_TRUE(gate.Admit(kBlock, 0));
  std::this_thread::sleep_for(kBudgetLifetime);
  ASSERT_TRUE(gate.Admit(kBlock, kBlock));
  EXPECT_EQ(gate.sampleCount(), 2);
}

TEST_F(HeadroomGateTest, DefaultReserveIsFivePercentOfTotal) {
  // 24 GiB total: reserve 1.2 GiB. One block above it passes, one block short fails.
  const std::uint64_t reserveKb = (ReserveFor(24 * kGiB) + 1023) / 1024;
  EXPECT_TRUE(HeadroomGate(Options(reserveKb + kBlock / 1024)).Admit(kBlock, 0));
  EXPECT_FALSE(HeadroomGate(Options(reserveKb + kBlock / 1024 - 1)).Admit(kBlock, 0));
}

TEST_F(HeadroomGateTest, CgroupLimitBindsBelowSystemHeadroom) {
  auto options = Options(20 * 1024 * 1024, "0::/app\n");
  options.reserveBytes = kMiB;
  dir.Write("cg/app/memory.max", std::to_string(3 * kMiB));
  dir.Write("cg/app/memory.current", std::to_string(2 * kMiB - kBlock));
  HeadroomGate gate(options);
  EXPECT_EQ(gate.SampleHeadroom(0), kBlock);
  EXPECT_TRUE(gate.Admit(kBlock, 0));
  // The budget is spent, so the next block looks again and sees its own charge.
  dir.Write("cg/app/memory.current", std::to_string(2 * kMiB));
  EXPECT_FALSE(gate.Admit(kBlock, kBlock));
}

}  // namespace
}  // namespace kelvane::mem
