#include "platform/memory/oom_score_guard.h"

#include <gtest/gtest.h>

#include "platform/memory/file_io.h"
#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

class OomScoreGuardTest : public ::testing::TestWithParam<const char*> {};

TEST_P(OomScoreGuardTest, RaisesWhileAliveAndRestoresAfter) {
  test_support::TempDir dir;
  const auto path = dir.Write("oom_score_adj", GetParam());
  const auto original = ReadTextFile(path);
  {
    OomScoreGuard guard(path);
    EXPECT_EQ(ReadTextFile(path), "1000");
  }
  EXPECT_EQ(std::stoi(ReadTextFile(path).value()), std::stoi(*original));
}

INSTANTIATE_TEST_SUITE_P(Scores, OomScoreGuardTest, ::testing::Values("0\n", "-300\n", "999"));

TEST(OomScoreGuard, LeavesUnreadableOrMaximalScoresAlone) {
  test_support::TempDir dir;
  const auto garbled = dir.Write("garbled", "high\n");
  const auto top = dir.Write("top", "1000\n");
  {
    OomScoreGuard a(garbled);
    OomScoreGuard b(top);
    OomScoreGuard c((dir.path() / "absent").string());
    EXPECT_FALSE(a.previous());
    EXPECT_FALSE(c.previous());
  }
  EXPECT_EQ(ReadTextFile(garbled), "high\n");
  EXPECT_EQ(ReadTextFile(top), "1000\n");
}

TEST(OomScoreGuard, LiveProcessScoreComesBack) {
  const auto before = ReadTextFile(OomScoreGuard::kDefaultPath);
  ASSERT_TRUE(before);
  {
    OomScoreGuard guard;
    EXPECT_EQ(std::stoi(ReadTextFile(OomScoreGuard::kDefaultPath).value()),
              OomScoreGuard::kRaisedScore);
  }
  EXPECT_EQ(ReadTextFile(OomScoreGuard::kDefaultPath), before);
}

}  // namespace
}  // namespace kelvane::mem
