#include "platform/memory/cgroup.h"

#include <gtest/gtest.h>

#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

using test_support::TempDir;

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
    ::testing::Values(
        MembershipCase{"0::/user.slice/user-1000.slice/session-2.scope\n",
                       "/user.slice/user-1000.slice/session-2.scope", std::nullopt},
        MembershipCase{"0::/\n", "/", std::nullopt},
        MembershipCase{"9:name=systemd:/\n4:memory:/jobs/a1\n1:cpu:/\n0::/\n", "/", "/jobs/a1"},
        MembershipCase{"6:cpu,memory,pids:/grouped\n", std::nullopt, "/grouped"},
        MembershipCase{"7:memoryx:/not-memory\n", std::nullopt, std::nullopt},
        MembershipCase{"0::/odd:name\r\n", "/odd:name", std::nullopt},
        MembershipCase{"garbage\n\n", std::nullopt, std::nullopt},
        MembershipCase{"", std::nullopt, std::nullopt}));

struct BytesCase {
  const char* text;
  std::optional<std::uint64_t> expected;
};

class CgroupBytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(CgroupBytesTest, ReadsPlainNumbersOnly) {
  EXPECT_EQ(ParseCgroupBytes(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Canned, CgroupBytesTest,
                         ::testing::Values(BytesCase{"536870912\n", 536870912},
                                           BytesCase{"0", 0}, BytesCase{"max\n", std::nullopt},
                                           BytesCase{"", std::nullopt},
                                           BytesCase{"12k", std::nullopt},
                                           BytesCase{"-1", std::nullopt},
                                           BytesCase{"18446744073709551616", std::nullopt},
                                           BytesCase{"9223372036854771712\n",
                                                     9223372036854771712ull}));

TEST(CgroupHeadroom, BelowLimitNeverWraps) {
  EXPECT_EQ(HeadroomBelowLimit(1000, 300, 200), 500u);
  EXPECT_EQ(HeadroomBelowLimit(1000, 800, 200), 0u);
  EXPECT_EQ(HeadroomBelowLimit(1000, 900, 200), 0u);
  EXPECT_EQ(HeadroomBelowLimit(1000, UINT64_MAX, 1), 0u);
}

TEST(CgroupLevels, WalkFromOwnGroupToTheRoot) {
  CgroupMembership membership{"/a/b/", "/jobs"};
  const auto levels = CgroupLevelsFor(membership, "/cg");
  const std::vector<CgroupLevel> expected{
      {"/cg/a/b/memory.max", "/cg/a/b/memory.current"},
      {"/cg/a/memory.max", "/cg/a/memory.current"},
      {"/cg/memory.max", "/cg/memory.current"},
      {"/cg/memory/jobs/memory.limit_in_bytes", "/cg/memory/jobs/memory.usage_in_bytes"},
      {"/cg/memory/memory.limit_in_bytes", "/cg/memory/memory.usage_in_bytes"},
  };
  EXPECT_EQ(levels, expected);
  EXPECT_TRUE(CgroupLevelsFor({"../escape", std::nullopt}, "/cg").empty());
  EXPECT_TRUE(CgroupLevelsFor({"/a/../../etc", std::nullopt}, "/cg").empty());
}

class CgroupTreeTest : public ::testing::Test {
 protected:
  std::string Levels(const std::string& self) {
    return dir.Write("proc_self_cgroup", self);
  }
  std::string Root() const { return (dir.path() / "cg").string(); }

  TempDir dir;
};

TEST_F(CgroupTreeTest, TightestAncestorLimitWins) {
  dir.Write("cg/app/svc/memory.max", "max\n");
  dir.Write("cg/app/svc/memory.current", "1000\n");
  dir.Write("cg/app/memory.max", "5000\n");
  dir.Write("cg/app/memory.current", "3000\n");
  const auto levels = ExistingCgroupLevels(Levels("0::/app/svc\n"), Root());
  // The root of the hierarchy has no memory.max and drops out.
  EXPECT_EQ(levels.size(), 2u);
  EXPECT_EQ(SampleCgroupHeadroom(levels, 500), 1500u);
}

TEST_F(CgroupTreeTest, NoNumericLimitMeansNoCgroupBound) {
  dir.Write("cg/app/memory.max", "max\n");
  dir.Write("cg/app/memory.current", "1000\n");
  EXPECT_EQ(SampleCgroupHeadroom(ExistingCgroupLevels(Levels("0::/app\n"), Root()), 500),
            std::nullopt);
  EXPECT_TRUE(ExistingCgroupLevels((dir.path() / "absent").string(), Root()).empty());
}

TEST_F(CgroupTreeTest, UnreadableUsageCountsAsFull) {
  dir.Write("cg/app/memory.max", "5000\n");
  EXPECT_EQ(SampleCgroupHeadroom(ExistingCgroupLevels(Levels("0::/app\n"), Root()), 0), 0u);
}

TEST_F(CgroupTreeTest, VersionOneMemoryController) {
  dir.Write("cg/memory/jobs/memory.limit_in_bytes", "10000\n");
  dir.Write("cg/memory/jobs/memory.usage_in_bytes", "4000\n");
  dir.Write("cg/memory/memory.limit_in_bytes", "9223372036854771712\n");
  dir.Write("cg/memory/memory.usage_in_bytes", "4000\n");
  const auto levels = ExistingCgroupLevels(Levels("4:memory:/jobs\n0::/\n"), Root());
  EXPECT_EQ(SampleCgroupHeadroom(levels, 1000), 5000u);
}

}  // namespace
}  // namespace kelvane::mem
