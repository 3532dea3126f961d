// What one memory sample costs: the refresh timer takes one every 100 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/memory/file_io.h"
#include "platform/memory/meminfo.h"
#include "platform/memory/memory_status.h"

namespace {

// Sampling through the source, which keeps its descriptor and buffer.
void BM_ProcMeminfoSource_Sample(benchmark::State& state) {
  kelvane::mem::ProcMeminfoSource source;
  for (auto _ : state) benchmark::DoNotOptimize(source.Sample());
}
BENCHMARK(BM_ProcMeminfoSource_Sample)->Unit(benchmark::kMicrosecond);

// The same figures reopening the file and allocating a string each time.
void BM_ReopenAndParse(benchmark::State& state) {
  for (auto _ : state) {
    const auto text = kelvane::mem::ReadTextFile("/proc/meminfo");
    benchmark::DoNotOptimize(kelvane::mem::StatusFromMeminfo(text.value_or("")));
  }
}
BENCHMARK(BM_ReopenAndParse)->Unit(benchmark::kMicrosecond);

// Parsing alone, on a snapshot taken once.
void BM_ParseMeminfo(benchmark::State& state) {
  const std::string text = kelvane::mem::ReadTextFile("/proc/meminfo").value_or("");
  for (auto _ : state) benchmark::DoNotOptimize(kelvane::mem::ParseMeminfo(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseMeminfo);

}  // namespace
