// A day of refresh ticks (864,000 at 100 ms) through the main window with figures that move every
// tick, shown on Qt's offscreen platform so every change is really painted. Reports resident
// memory and heap in use after a warm-up and at the end; fails when either grew by more than 1 MiB.
// Usage: soak_ticks [ticks]
#include <malloc.h>

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/form1.h"
#include "platform/host/stock/timer.h"
#include "platform/memory/block_allocator.h"
#include "tests/support/fake_memory_source.h"

namespace {

constexpr long kDayOfTicks = 864000;
constexpr long kWarmUpTicks = 2000;  // glyph and font caches fill here, once
constexpr long long kAllowedGrowth = 1 << 20;
constexpr std::uint64_t kTotal = 24ull << 30;

long long ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long long kb = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> kb;
      return kb * 1024;
    }
    status.ignore(256, '\n');
  }
  return 0;
}

long long HeapInUse() { return static_cast<long long>(mallinfo2().uordblks); }

// Free memory wanders over the whole range, so texts, the bar value and the blocks all change.
std::uint64_t FreeAt(long tick) {
  const std::uint64_t step = (static_cast<std::uint64_t>(tick) * 2654435761u) % 1000003u;
  return kTotal / 1000003u * step;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const long ticks = argc > 1 ? std::atol(argv[1]) : kDayOfTicks;
  if (ticks <= kWarmUpTicks) {
    std::fprintf(stderr, "usage: soak_ticks [ticks > %ld]\n", kWarmUpTicks);
    return 2;
  }

  kelvane::test::FakeMemorySource memory(kTotal, kTotal / 2);
  kelvane::mem::PageBlockAllocator allocator;
  kelvane::app::Form1 form(memory, allocator, QLocale::c());
  form.Timer1().setEnabled(false);  // the soak drives the ticks itself, as fast as they go
  form.Show();

  long tick = 0;
  for (; tick < kWarmUpTicks; ++tick) {
    memory.SetFigures(kTotal, FreeAt(tick));
    form.Refresh();
  }
  const long long rss0 = ResidentBytes(), heap0 = HeapInUse();
  for (; tick < ticks; ++tick) {
    memory.SetFigures(kTotal, FreeAt(tick));
    form.Refresh();
  }
  QCoreApplication::processEvents();
  const long long rss1 = ResidentBytes(), heap1 = HeapInUse();

  std::printf("ticks              %ld (%.1f days at 100 ms)\n", ticks,
              ticks / static_cast<double>(kDayOfTicks));
  std::printf("resident memory    %lld KiB -> %lld KiB (%+lld KiB)\n", rss0 / 1024, rss1 / 1024,
              (rss1 - rss0) / 1024);
  std::printf("heap in use        %lld KiB -> %lld KiB (%+lld KiB)\n", heap0 / 1024, heap1 / 1024,
              (heap1 - heap0) / 1024);
  const bool flat = rss1 - rss0 <= kAllowedGrowth && heap1 - heap0 <= kAllowedGrowth;
  std::printf("%s (allowed growth 1024 KiB)\n", flat ? "flat" : "GROWING");
  return flat ? 0 : 1;
}
