#include "app/release_routine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "platform/host/errors.h"
#include "tests/app/release_fakes.h"
#include "tests/support/recording_services.h"

namespace kelvane::app {
namespace {

using test::FakeAllocator;
using test::FakeBar;

class ReleaseRoutine : public ::testing::Test {
 protected:
  void Run() { RunMemoryRelease(bar, alloc, services); }
  FakeBar bar;
  FakeAllocator alloc;
  test::RecordingServices services;
};

struct RefusalCase {
  const char* name;
  std::set<int> refusedCalls;  // 2k-1: the moveable block of pass k; 2k: its fixed block
  std::int16_t pairs;
  std::vector<std::uint32_t> firstFreed;  // the newest pair, moveable then fixed
};

class Refusal : public ReleaseRoutine, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, EndsReservationAndReleasesEveryPairNewestFirst) {
  const RefusalCase& c = GetParam();
  alloc.refuse = c.refusedCalls;
  Run();
  EXPECT_EQ(alloc.calls, 2 * c.pairs) << "the pass of the refusal is completed";
  EXPECT_EQ(alloc.liveCount(), 0);
  ASSERT_EQ(alloc.freed.size(), 2u * c.pairs);
  EXPECT_EQ(std::vector<std::uint32_t>(alloc.freed.begin(), alloc.freed.begin() + 2), c.firstFreed);
  EXPECT_EQ(services.pendingEventRuns, c.pairs);
  EXPECT_EQ(bar.shown, (std::vector<bool>{true, false})) << "shown for the run, hidden after it";
  EXPECT_EQ(bar.max, c.pairs);
  EXPECT_EQ(bar.value, c.pairs - 1);
}

INSTANTIATE_TEST_SUITE_P(Passes, Refusal,
                         ::testing::Values(
                             // The refused moveable block's fixed partner is still reserved, and freed.
                             RefusalCase{"MoveableOfPass5", {9}, 5, {0, 9}},
                             RefusalCase{"FixedOfPass5", {10}, 5, {9, 0}},
                             RefusalCase{"BothOfPass5", {9, 10}, 5, {0, 0}},
                             RefusalCase{"MoveableOfPass1", {1}, 1, {0, 1}}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ReleaseRoutine, CapHoldsExactly32000PairsAndTheBarShowsItInBothPhases) {
  Run();
  EXPECT_EQ(alloc.calls, 2 * 32000);
  EXPECT_EQ(alloc.liveCount(), 0);
  EXPECT_EQ(bar.maxHistory, (std::vector<float>{32000, 32000}));
  EXPECT_EQ(bar.value, 31999);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.pendingEventRuns, 32000);
}

// No events while reserving; one processing after each released pair, newest pair first.
TEST_F(ReleaseRoutine, ReleaseLogIsNewestFirstWithEventsBetweenPairs) {
  alloc.refuseFrom = 5;  // passes 1, 2 reserve; pass 3 is refused both ways
  services.onPendingEvents = [&](int) { alloc.log.push_back("events"); };
  Run();
  const std::vector<std::string> expected = {"alloc 1", "alloc 2", "alloc 3", "alloc 4", "free 0",
                                             "free 0",  "events",  "free 3",  "free 4",  "events",
                                             "free 1",  "free 2",  "events"};
  EXPECT_EQ(alloc.log, expected);
}

TEST_F(ReleaseRoutine, NestedRunReleasesItsOwnBlocksAndOuterFinishesWithBarHidden) {
  alloc.refuseFrom = 2 * 4 + 1;  // outer: 4 pairs, the 5th refused
  services.onPendingEvents = [&](int count) {
    if (count != 2) return;
    alloc.refuseFrom = alloc.calls + 2 * 3 + 1;  // inner: 3 pairs, the 4th refused
    Run();
    EXPECT_FALSE(bar.visible);
    EXPECT_EQ(bar.max, 4);
    EXPECT_EQ(bar.value, 3);
  };
  Run();
  EXPECT_EQ(alloc.liveCount(), 0);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.pendingEventRuns, 5 + 4);
}

// Clicks during a full run's release phase: each nested run is refused once the runs together hold
// one full run's blocks, and releases what it got.
TEST_F(ReleaseRoutine, NestedRunsTogetherHoldAtMostOneFullRun) {
  SharedReleaseBudget budget(alloc);
  std::vector<float> nestedPairs;
  services.onPendingEvents = [&](int count) {
    if (count != 1 && count != 1000) return;
    RunMemoryRelease(bar, budget, services);
    nestedPairs.push_back(bar.max);
  };
  RunMemoryRelease(bar, budget, services);
  EXPECT_EQ(alloc.peak, 2 * kReleasePairCap);
  // One pair freed, so one pair fits, then a refused pair; later 998 freed pairs (the first
  // nested run's own came back too) fit, then a refused one.
  EXPECT_EQ(nestedPairs, (std::vector<float>{2, 999}));
  EXPECT_EQ(alloc.liveCount(), 0);
  EXPECT_EQ(budget.held(), 0u);
}

TEST_F(ReleaseRoutine, ErrorInTheFirstPassStillHidesTheBarAndReturns) {
  alloc.throwAt = 1;
  Run();
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.pendingEventRuns, 0);
  for (std::uint32_t h : alloc.freed) EXPECT_EQ(h, 0u) << "nothing was reserved";
}

TEST_F(ReleaseRoutine, ErrorMidPassFreesTheBlockAlreadyReserved) {
  alloc.throwAt = 6;  // the fixed block of pass 3
  Run();
  EXPECT_EQ(alloc.liveCount(), 0) << "the moveable block of the cut-short pass must not leak";
  EXPECT_EQ(bar.max, 2);
  EXPECT_EQ(bar.value, 1);
  EXPECT_FALSE(bar.visible);
}

}  // namespace
}  // namespace kelvane::app
