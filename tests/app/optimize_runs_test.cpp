#include "app/optimize_runs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/run_lock.h"
#include "tests/app/release_fakes.h"
#include "tests/support/recording_services.h"

namespace kelvane::app {
namespace {

constexpr std::uint64_t kBlock = kReleaseBlockBytes;

// How the allocator refuses, and what the record must say of it.
TEST(OptimizeRuns, RecordsWhyReservingStoppedAndTheMostHeld) {
  struct Case {
    const char* name;
    int refuseFrom;  // the first refused call, 1-based
    mem::Refusal refusal;
    bool stopFlag;
    StopReason stop;
    std::uint64_t peak;
  };
  const Case cases[] = {
      {"floor", 11, mem::Refusal::Floor, false, StopReason::Floor, 10 * kBlock},
      {"system", 4, mem::Refusal::System, false, StopReason::SystemRefused, 3 * kBlock},
      {"budget", 1, mem::Refusal::Budget, false, StopReason::SharedBudget, 0},
      {"cap", 1 << 30, mem::Refusal::System, false, StopReason::PairCap, kReleaseBlockBudget * kBlock},
      {"signal", 1 << 30, mem::Refusal::System, true, StopReason::Interrupted, 0},
  };
  for (const Case& c : cases) {
    test::FakeBar bar;
    test::FakeAllocator alloc;
    alloc.refuseFrom = c.refuseFrom;
    alloc.refusal = c.refusal;
    test::RecordingServices services;
    OptimizeRuns runs(alloc);
    volatile std::sig_atomic_t flag = c.stopFlag;
    runs.setStopFlag(&flag);
    const std::optional<RunRecord> r = runs.Run(bar, services, RunSource::Terminal);
    ASSERT_TRUE(r) << c.name;
    EXPECT_EQ(r->stop, c.stop) << c.name;
    EXPECT_EQ(r->peakHeldBytes, c.peak) << c.name;
    EXPECT_EQ(r->source, RunSource::Terminal) << c.name;
    EXPECT_EQ(alloc.liveCount(), 0) << c.name;
    EXPECT_FALSE(runs.running()) << c.name;
  }
}

// A run nested in the release phase adds to the outer run's record and makes none of its own.
TEST(OptimizeRuns, ANestedRunCountsAsOne) {
  test::FakeBar bar;
  test::FakeAllocator alloc;
  alloc.refuseFrom = 9;  // four pairs for the outer run
  test::RecordingServices services;
  OptimizeRuns runs(alloc);
  std::optional<std::optional<RunRecord>> nested;
  services.onPendingEvents = [&](int count) {
    if (count != 1) return;
    alloc.refuseFrom = alloc.calls + 5;  // two more pairs for the nested run
    test::FakeBar inner;
    nested = runs.Run(inner, services, RunSource::Window);
  };
  const std::optional<RunRecord> outer = runs.Run(bar, services, RunSource::Panel);
  ASSERT_TRUE(nested);
  EXPECT_FALSE(*nested);
  ASSERT_TRUE(outer);
  EXPECT_EQ(outer->source, RunSource::Panel);
  EXPECT_EQ(outer->stop, StopReason::SystemRefused);
  // The outer run's eight blocks were all still held when the nested run took four more.
  EXPECT_EQ(outer->peakHeldBytes, 12 * kBlock);
  EXPECT_EQ(alloc.liveCount(), 0);
}

// Another process's run holds the lock: this one reserves nothing and says why.
TEST(OptimizeRuns, AnotherProcessesRunHoldsTheBudget) {
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("kelvane/optimize.lock")).toStdString();
  const RunLock other(path);
  ASSERT_EQ(other.state(), RunLock::State::Held);
  test::FakeBar bar;
  test::FakeAllocator alloc;
  test::RecordingServices services;
  OptimizeRuns runs(alloc, {.useLock = true, .lockPath = path});
  const std::optional<RunRecord> r = runs.Run(bar, services, RunSource::Window);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->stop, StopReason::SharedBudget);
  EXPECT_EQ(alloc.calls, 0);
}

}  // namespace
}  // namespace kelvane::app
