#include "app/release_routine.h"

#include <exception>
#include <vector>

namespace kelvane::app {
namespace {

struct BlockPair {
  std::uint32_t moveable = 0;
  std::uint32_t fixed = 0;
};

// What the reservation holds. `counted` is the list's size after the last complete pass; a pass
// cut short by an error leaves one more pair whose blocks are not counted.
struct HeldBlocks {
  std::vector<BlockPair> pairs;
  std::size_t counted = 0;
};

// Returns normally when a block is refused; the indicator's error at the cap, or any other
// run-time error, leaves by exception with `held` as it stands.
void ReservePairs(IndicatorBar& bar, mem::BlockAllocator& allocator, HeldBlocks& held) {
  bar.setVisible(true);
  bar.setMax(kReleasePairCap);
  bar.setValue(0);
  bool stop = false;
  while (!stop) {
    bar.setValue(bar.Value() + 1.0f);
    BlockPair& pair = held.pairs.emplace_back();
    pair.moveable = allocator.GlobalAlloc(mem::GMEM_MOVEABLE, kReleaseBlockBytes);
    pair.fixed = allocator.GlobalAlloc(mem::GMEM_FIXED, kReleaseBlockBytes);
    // The pass of a refusal is completed: its other block stays reserved and the pair counts.
    if (pair.moveable == 0 || pair.fixed == 0) stop = true;
    held.counted = held.pairs.size();
  }
}

// A pass cut short by an error may hold a block beyond the count; it must not leak.
void FreeInterruptedPass(mem::BlockAllocator& allocator, HeldBlocks& held) {
  if (held.pairs.size() == held.counted) return;
  const BlockPair cut = held.pairs.back();
  held.pairs.pop_back();
  allocator.GlobalFree(cut.moveable);
  allocator.GlobalFree(cut.fixed);
}

void ReleasePairs(IndicatorBar& bar, mem::BlockAllocator& allocator, host::HostServices& services,
                  HeldBlocks& held) {
  FreeInterruptedPass(allocator, held);
  try {
    bar.setMax(static_cast<float>(held.pairs.size()));
    bar.setValue(0);
  } catch (const std::exception&) {
    // A run with no pair asks for Max 0, which the bar refuses; there is nothing to count.
  }
  while (!held.pairs.empty()) {
    try {
      if (bar.Max() - 1.0f != bar.Value()) bar.setValue(bar.Value() + 1.0f);
    } catch (const std::exception&) {
      // The count is cosmetic; the blocks must go back whatever the bar accepts.
    }
    allocator.GlobalFree(held.pairs.back().moveable);
    const std::uint32_t fixed = held.pairs.back().fixed;
    held.pairs.pop_back();
    allocator.GlobalFree(fixed);
    services.RunPendingEvents();
  }
  bar.setVisible(false);
}

}  // namespace

std::uint32_t SharedReleaseBudget::GlobalAlloc(std::uint32_t flags, std::size_t bytes) {
  overBudget_ = held_ >= budget_;
  if (overBudget_) return 0;
  const std::uint32_t handle = allocator_.GlobalAlloc(flags, bytes);
  if (handle != 0) ++held_;
  return handle;
}

// The routine frees each handle it was given exactly once, so a non-zero handle is one of ours.
void SharedReleaseBudget::GlobalFree(std::uint32_t handle) {
  if (handle != 0 && held_ > 0) --held_;
  allocator_.GlobalFree(handle);
}

void RunMemoryRelease(IndicatorBar& bar, mem::BlockAllocator& allocator, host::HostServices& services) {
  HeldBlocks held;
  try {
    ReservePairs(bar, allocator, held);
  } catch (const std::exception&) {
    // The error trap: any run-time error, the cap included, starts the release phase.
  }
  ReleasePairs(bar, allocator, services, held);
}

}  // namespace kelvane::app
