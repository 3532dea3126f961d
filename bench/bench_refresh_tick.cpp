// One refresh tick of the main window: sample, texts, bar, refresh step.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/form1.h"
#include "app/memory_figures.h"
#include "platform/memory/block_allocator.h"
#include "platform/memory/memory_status.h"
#include "tests/support/fake_memory_source.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_refresh_tick";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// The whole tick as the timer runs it, against a fake source whose free figure moves every tick.
void BM_RefreshTick(benchmark::State& state) {
  App();
  kelvane::test::FakeMemorySource memory(24ull << 30, 12ull << 30);
  kelvane::mem::PageBlockAllocator allocator;
  kelvane::app::Form1 form(memory, allocator, QLocale::c());
  std::uint64_t free = 12ull << 30;
  for (auto _ : state) {
    free += 4096 * ((free >> 12) % 7 == 0 ? 1000 : -7);
    memory.SetFigures(24ull << 30, free);
    form.Refresh();
  }
}
BENCHMARK(BM_RefreshTick);

// The same tick reading the real /proc/meminfo.
void BM_RefreshTickProcMeminfo(benchmark::State& state) {
  App();
  kelvane::mem::ProcMeminfoSource memory;
  kelvane::mem::PageBlockAllocator allocator;
  kelvane::app::Form1 form(memory, allocator, QLocale::c());
  for (auto _ : state) form.Refresh();
}
BENCHMARK(BM_RefreshTickProcMeminfo);

// The text arithmetic alone.
void BM_FigureTexts(benchmark::State& state) {
  const QLocale locale = QLocale::c();
  std::uint64_t free = 100000000;
  for (auto _ : state) {
    const auto s = kelvane::app::SampleFigures(268435456, free += 4096, locale);
    benchmark::DoNotOptimize(kelvane::app::RefreshFigures(s.totalText, s.freeText, locale));
  }
}
BENCHMARK(BM_FigureTexts);

}  // namespace
