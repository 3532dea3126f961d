#pragma once
// An indicator and an allocator that record what the release routine asks of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "app/release_routine.h"
#include "platform/host/errors.h"

namespace kelvane::test {

// Behaves like the stock bar: a Value above Max, or a Max not above Min (0), is refused.
class FakeBar : public app::IndicatorBar {
 public:
  void setVisible(bool v) override {
    visible = v;
    shown.push_back(v);
  }
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
  std::vector<bool> shown;  // every setVisible, in order
  float max = 100, value = 0;
  std::vector<float> maxHistory;
};

// Hands out increasing handles and logs every call; refuses or throws at given calls (1-based).
class FakeAllocator : public mem::BlockAllocator {
 public:
  std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) override {
    ++calls;
    // A routine that ignores its cap would otherwise reserve until the test machine runs out.
    if (calls > kRunawayCalls) {
      if (calls == kRunawayCalls + 1) ADD_FAILURE() << "more than " << kRunawayCalls << " blocks asked for";
      return 0;
    }
    EXPECT_EQ(bytes, app::kReleaseBlockBytes);
    EXPECT_EQ(flags, calls % 2 == 1 ? mem::GMEM_MOVEABLE : mem::GMEM_FIXED) << "moveable first in a pair";
    if (calls == throwAt) throw std::bad_alloc();
    if (refuse.count(calls) || calls >= refuseFrom) return 0;
    live[++lastHandle] = true;
    peak = std::max(peak, ++liveNow);
    log.push_back("alloc " + std::to_string(lastHandle));
    return lastHandle;
  }
  void GlobalFree(std::uint32_t h) override {
    freed.push_back(h);
    log.push_back("free " + std::to_string(h));
    if (h == 0) return;
    EXPECT_TRUE(live[h]) << "handle " << h << " freed twice or never reserved";
    live[h] = false;
    --liveNow;
  }
  mem::Refusal lastRefusal() const override { return refusal; }
  int liveCount() const {
    int n = 0;
    for (const auto& entry : live) n += entry.second;
    return n;
  }
  static constexpr int kRunawayCalls = 4 * static_cast<int>(app::kReleaseBlockBudget);
  int calls = 0, throwAt = -1, refuseFrom = 1 << 30, liveNow = 0, peak = 0;
  std::set<int> refuse;
  mem::Refusal refusal = mem::Refusal::System;  // why it says it refused
  std::uint32_t lastHandle = 0;
  std::map<std::uint32_t, bool> live;
  std::vector<std::uint32_t> freed;
  std::vector<std::string> log;
};

}  // namespace kelvane::test
