// Reserving and releasing the release routine's 32,000 pairs of 40,000-byte
// blocks through the allocator, against the bare system calls it wraps.
#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/memory/block_allocator.h"
#include "platform/memory/headroom.h"
#include "platform/memory/page_block.h"

namespace {

using kelvane::mem::GMEM_FIXED;
using kelvane::mem::GMEM_MOVEABLE;
using Clock = std::chrono::steady_clock;

constexpr int kPairs = 32000;
constexpr std::size_t kBlockBytes = 40000;
constexpr int kRuns = 3;

std::size_t BlockLength() {
  return kelvane::mem::RoundUpToPages(kBlockBytes, kelvane::mem::PageSize()).value();
}

// The same calls the allocator makes, minus its checks and its table.
double RawPairsSeconds() {
  const std::size_t length = BlockLength();
  std::vector<void*> blocks;
  blocks.reserve(2 * kPairs);
  const auto start = Clock::now();
  for (int i = 0; i < 2 * kPairs; ++i) {
    void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) break;
    if (::madvise(p, length, kelvane::mem::kMadvPopulateWrite) != 0) {
      ::munmap(p, length);
      break;
    }
    blocks.push_back(p);
  }
  for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) ::munmap(*it, length);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The routine's pattern: moveable then fixed, freed newest pair first.
double AllocatorPairsSeconds(kelvane::mem::PageBlockAllocator& allocator, int& refused) {
  std::vector<std::uint32_t> moveable;
  std::vector<std::uint32_t> fixed;
  moveable.reserve(kPairs);
  fixed.reserve(kPairs);
  const auto start = Clock::now();
  for (int i = 0; i < kPairs; ++i) {
    moveable.push_back(allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes));
    fixed.push_back(allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes));
    if (moveable.back() == 0 || fixed.back() == 0) {
      ++refused;
      break;
    }
  }
  for (std::size_t i = moveable.size(); i-- > 0;) {
    allocator.GlobalFree(moveable[i]);
    allocator.GlobalFree(fixed[i]);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_OptimizePairs_AllocatorVsRaw(benchmark::State& state) {
  kelvane::mem::PageBlockAllocator allocator;
  double raw = 0;
  double wrapped = 0;
  int refused = 0;
  bool rawFirst = true;
  for (auto _ : state) {
    // Alternate the order so neither side always meets a freshly freed page pool.
    double r = 0;
    double w = 0;
    if (rawFirst) {
      r = RawPairsSeconds();
      w = AllocatorPairsSeconds(allocator, refused);
    } else {
      w = AllocatorPairsSeconds(allocator, refused);
      r = RawPairsSeconds();
    }
    rawFirst = !rawFirst;
    raw += r;
    wrapped += w;
    state.SetIterationTime(w);
  }
  if (refused != 0) state.SkipWithError("the allocator refused a block; figures not comparable");
  const double runs = static_cast<double>(state.iterations());
  state.counters["raw_ms"] = raw / runs * 1e3;
  state.counters["allocator_ms"] = wrapped / runs * 1e3;
  state.counters["ratio"] = wrapped / raw;
}
BENCHMARK(BM_OptimizePairs_AllocatorVsRaw)->UseManualTime()->Iterations(kRuns)->Unit(benchmark::kMillisecond);

// The refusal check on its own, as GlobalAlloc pays it per block: mostly a
// subtraction from the local budget, now and then a fresh sample.
void BM_RefusalCheck_PerBlock(benchmark::State& state) {
  kelvane::mem::HeadroomGate gate{kelvane::mem::PageBlockAllocatorOptions{}};
  const std::uint64_t length = BlockLength();
  for (auto _ : state) benchmark::DoNotOptimize(gate.Admit(length, 0));
  state.counters["samples"] = gate.sampleCount();
}
BENCHMARK(BM_RefusalCheck_PerBlock);

// One fresh headroom sample: /proc/meminfo plus the cgroup files.
void BM_RefusalCheck_FreshSample(benchmark::State& state) {
  kelvane::mem::HeadroomGate gate{kelvane::mem::PageBlockAllocatorOptions{}};
  for (auto _ : state) benchmark::DoNotOptimize(gate.SampleHeadroom(0));
}
BENCHMARK(BM_RefusalCheck_FreshSample)->Unit(benchmark::kMicrosecond);

}  // namespace
