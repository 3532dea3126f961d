#include "app/release_routine.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "platform/host/errors.h"

namespace kelvane::app {
namespace {

// Behaves like the stock bar: a Value above Max, or a Max not above Min (0), is refused.
class FakeBar : public IndicatorBar {
 public:
  void setVisible(bool v) override { visible = v; }
  float Max() const override { return max; }
  void setMax(float m) override {
    if (m <= 0) throw host::RuntimeError(host::kErrInvalidPropertyValue, "Invalid property value");
    max = m;
    maxHistory.push_back(m);
  }
  float Value() const override { return value; }
  void setValue(float v) override {
    if (v > max || v < 0) throw host::RuntimeError(host::kErrInvalidPropertyValue, "Invalid property value");
    value = v;
  }
  bool visible = false;
  float max = 100, value = 0;
  std::vector<float> maxHistory;
};

// Hands out increasing handles; can refuse or throw at a given call (1-based).
class FakeAllocator : public mem::BlockAllocator {
 public:
  std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) override {
    ++calls;
    EXPECT_EQ(bytes, kReleaseBlockBytes);
    flagsSeen.push_back(flags);
    if (calls == throwAtCall) throw std::bad_alloc();
    if (calls >= refuseFromCall) return 0;
    const std::uint32_t h = ++lastHandle;
    live[h] = true;
    log.push_back("alloc " + std::to_string(h));
    return h;
  }
  void GlobalFree(std::uint32_t h) override {
    freed.push_back(h);
    log.push_back("free " + std::to_string(h));
    if (h == 0) return;
    EXPECT_TRUE(live[h]) << "handle " << h << " freed twice or never reserved";
    live[h] = false;
  }
  int liveCount() const {
    int n = 0;
    for (auto& [h, alive] : live) n += alive;
    return n;
  }
  int calls = 0;
  int refuseFromCall = 1 << 30;
  int throwAtCall = -1;
  std::uint32_t lastHandle = 0;
  std::map<std::uint32_t, bool> live;
  std::vector<std::uint32_t> freed;
  std::vector<std::uint32_t> flagsSeen;
  std::vector<std::string> log;
};

class FakeServices : public host::HostServices {
 public:
  int MsgBox(const QString&, int, const QString&) override { return host::kMsgBoxOk; }
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void SendKeys(const QString&) override {}
  [[noreturn]] void End(int) override { throw std::logic_error("end"); }
  int doEvents = 0;
  std::function<void()> onDoEvents;
};

struct RefusalCase {
  const char* name;
  int refuseFromCall;  // 2k-1: the moveable block of pass k; 2k: its fixed block
  std::int16_t pairs;
  std::uint32_t lastMoveable;
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, EndsReservationAndReleasesEveryPairNewestFirst) {
  const RefusalCase& c = GetParam();
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  alloc.refuseFromCall = c.refuseFromCall;
  RunMemoryRelease(bar, alloc, services);

  EXPECT_EQ(alloc.calls, 2 * c.pairs) << "the pass of the refusal is completed";
  EXPECT_EQ(alloc.liveCount(), 0);
  ASSERT_EQ(alloc.freed.size(), 2u * c.pairs);
  EXPECT_EQ(alloc.freed.front(), c.lastMoveable);
  // Moveable then fixed of each pair, newest pair first.
  for (std::size_t i = 2; i < alloc.freed.size(); i += 2) {
    if (alloc.freed[i] != 0 && alloc.freed[i - 2] != 0) EXPECT_LT(alloc.freed[i], alloc.freed[i - 2]);
  }
  EXPECT_EQ(services.doEvents, c.pairs);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(bar.max, c.pairs);
  EXPECT_EQ(bar.value, c.pairs - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, Refusal,
    ::testing::Values(RefusalCase{"BothOfPass5", 9, 5, 0}, RefusalCase{"FixedOfPass5", 10, 5, 9},
                      RefusalCase{"MoveableOfPass1", 1, 1, 0},
                      RefusalCase{"FixedOfPass1", 2, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReleaseRoutine, MoveableRefusedStillReservesItsFixedBlock) {
  FakeBar bar;
  FakeServices services;
  // Refuse only the moveable block of pass 5, not its fixed partner.
  struct OneRefusal : FakeAllocator {
    std::uint32_t GlobalAlloc(std::uint32_t f, std::size_t b) override {
      return calls + 1 == 9 ? (++calls, 0u) : FakeAllocator::GlobalAlloc(f, b);
    }
  } one;
  RunMemoryRelease(bar, one, services);
  ASSERT_EQ(one.freed.size(), 10u);
  EXPECT_EQ(one.freed[0], 0u) << "the last moveable handle is the refused one";
  EXPECT_EQ(one.freed[1], 9u) << "its fixed block was reserved and is freed";
  EXPECT_EQ(one.liveCount(), 0);
}

TEST(ReleaseRoutine, CapHoldsExactly32000PairsAndTheBarShowsItInBothPhases) {
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  RunMemoryRelease(bar, alloc, services);
  EXPECT_EQ(alloc.calls, 2 * 32000);
  EXPECT_EQ(alloc.liveCount(), 0);
  EXPECT_EQ(bar.maxHistory, (std::vector<float>{32000, 32000}));
  EXPECT_EQ(bar.max, 32000);
  EXPECT_EQ(bar.value, 31999);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.doEvents, 32000);
  // Moveable flags first in every pair.
  EXPECT_EQ(alloc.flagsSeen[0], mem::GMEM_MOVEABLE);
  EXPECT_EQ(alloc.flagsSeen[1], mem::GMEM_FIXED);
}

// No events while reserving; one processing after each released pair, newest pair first.
TEST(ReleaseRoutine, ReleaseLogIsNewestFirstWithEventsBetweenPairs) {
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  alloc.refuseFromCall = 5;  // passes 1, 2 reserve; pass 3 is refused both ways
  services.onDoEvents = [&] { alloc.log.push_back("events"); };
  RunMemoryRelease(bar, alloc, services);
  const std::vector<std::string> expected = {"alloc 1", "alloc 2", "alloc 3", "alloc 4", "free 0", "free 0",
                                             "events",  "free 3",  "free 4",  "events",  "free 1", "free 2",
                                             "events"};
  EXPECT_EQ(alloc.log, expected);
}

TEST(ReleaseRoutine, NestedRunReleasesItsOwnBlocksAndOuterFinishesWithBarHidden) {
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  alloc.refuseFromCall = 2 * 4 + 1;  // outer: 4 pairs, the 5th refused
  int nested = 0;
  services.onDoEvents = [&] {
    if (nested++ == 1) {
      alloc.refuseFromCall = alloc.calls + 2 * 3 + 1;  // inner: 3 pairs, the 4th refused
      RunMemoryRelease(bar, alloc, services);
      EXPECT_FALSE(bar.visible);
      EXPECT_EQ(bar.max, 4);
      EXPECT_EQ(bar.value, 3);
    }
  };
  RunMemoryRelease(bar, alloc, services);
  EXPECT_EQ(alloc.liveCount(), 0);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.doEvents, 5 + 4);
}

TEST(ReleaseRoutine, ErrorInTheFirstPassStillHidesTheBarAndReturns) {
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  alloc.throwAtCall = 1;
  RunMemoryRelease(bar, alloc, services);
  EXPECT_FALSE(bar.visible);
  EXPECT_EQ(services.doEvents, 0);
  for (std::uint32_t h : alloc.freed) EXPECT_EQ(h, 0u) << "nothing was reserved";
}

TEST(ReleaseRoutine, ErrorMidPassFreesTheBlockAlreadyReserved) {
  FakeBar bar;
  FakeAllocator alloc;
  FakeServices services;
  alloc.throwAtCall = 6;  // the fixed block of pass 3
  RunMemoryRelease(bar, alloc, services);
  EXPECT_EQ(alloc.liveCount(), 0) << "the moveable block of the cut-short pass must not leak";
  EXPECT_EQ(bar.max, 2);
  EXPECT_EQ(bar.value, 1);
  EXPECT_FALSE(bar.visible);
}

}  // namespace
}  // namespace kelvane::app
