// The release routine on the real allocator: a whole run, and the release phase alone with the
// event processing it requires (one pass of pending events per pair).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>

#include "app/release_routine.h"
#include "platform/host/services.h"
#include "platform/memory/block_allocator.h"

namespace {

using Clock = std::chrono::steady_clock;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_release_routine";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

class CountingBar : public kelvane::app::IndicatorBar {
 public:
  void setVisible(bool) override {}
  float Max() const override { return max_; }
  void setMax(float m) override {
    if (m <= 0) throw std::runtime_error("Invalid property value");
    max_ = m;
  }
  float Value() const override { return value_; }
  void setValue(float v) override {
    if (v > max_) throw std::runtime_error("Invalid property value");
    value_ = v;
  }

 private:
  float max_ = 100, value_ = 0;
};

// Real event processing; notes when the release phase starts (its first pending-events pass
// follows the first released pair, so that pair's cost is on the reservation side).
class TimingServices : public kelvane::host::HostServices {
 public:
  int MsgBox(const QString&, int, const QString&) override { return kelvane::host::kMsgBoxOk; }
  void RunPendingEvents() override {
    if (pairs++ == 0) releaseStart = Clock::now();
    kelvane::host::services().RunPendingEvents();
  }
  void SendKeys(const QString&) override {}
  [[noreturn]] void End(int status) override { std::_Exit(status); }
  Clock::time_point releaseStart;
  int pairs = 0;
};

void BM_OptimizeRun(benchmark::State& state) {
  App();
  kelvane::mem::PageBlockAllocator allocator;
  double releaseSeconds = 0, pairs = 0;
  for (auto _ : state) {
    CountingBar bar;
    TimingServices services;
    kelvane::app::RunMemoryRelease(bar, allocator, services);
    releaseSeconds += std::chrono::duration<double>(Clock::now() - services.releaseStart).count();
    pairs += services.pairs;
  }
  state.counters["pairs"] = benchmark::Counter(pairs, benchmark::Counter::kAvgIterations);
  state.counters["release_s"] = benchmark::Counter(releaseSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OptimizeRun)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
