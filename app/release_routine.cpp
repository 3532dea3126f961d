#include "app/release_routine.h"

#include <exception>
#include <limits>
#include <vector>

namespace kelvane::app {
namespace {

static_assert(kReleasePairCap < std::numeric_limits<std::int16_t>::max(),
              "the pair counters are 16-bit and must not overflow below the cap");

struct HeldBlocks {
  std::vector<std::uint32_t> moveable;
  std::vector<std::uint32_t> fixed;
  std::int16_t moveableCount = 0;
  std::int16_t fixedCount = 0;
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
    held.moveable.resize(static_cast<std::size_t>(held.moveableCount) + 1);
    held.fixed.resize(static_cast<std::size_t>(held.fixedCount) + 1);
    held.moveable[held.moveableCount] = allocator.GlobalAlloc(mem::GMEM_MOVEABLE, kReleaseBlockBytes);
    held.fixed[held.fixedCount] = allocator.GlobalAlloc(mem::GMEM_FIXED, kReleaseBlockBytes);
    // The pass of a refusal is completed: its other block stays reserved and the pair counts.
    if (held.moveable[held.moveableCount] == 0) stop = true;
    if (held.fixed[held.fixedCount] == 0) stop = true;
    ++held.moveableCount;
    ++held.fixedCount;
  }
}

// A pass cut short by an error may hold a block beyond the counts; it must not leak.
void FreeInterruptedPass(mem::BlockAllocator& allocator, HeldBlocks& held) {
  for (std::size_t i = held.moveable.size(); i > static_cast<std::size_t>(held.moveableCount); --i) {
    allocator.GlobalFree(held.moveable[i - 1]);
  }
  for (std::size_t i = held.fixed.size(); i > static_cast<std::size_t>(held.fixedCount); --i) {
    allocator.GlobalFree(held.fixed[i - 1]);
  }
  held.moveable.resize(static_cast<std::size_t>(held.moveableCount));
  held.fixed.resize(static_cast<std::size_t>(held.fixedCount));
}

void ReleasePairs(IndicatorBar& bar, mem::BlockAllocator& allocator, host::HostServices& services,
                  HeldBlocks& held) {
  FreeInterruptedPass(allocator, held);
  try {
    bar.setMax(held.moveableCount);
    bar.setValue(0);
  } catch (const std::exception&) {
    // A run with no pair asks for Max 0, which the bar refuses; there is nothing to count.
  }
  for (std::int16_t i = static_cast<std::int16_t>(held.moveableCount - 1); i >= 0; --i) {
    try {
      if (bar.Max() - 1.0f != bar.Value()) bar.setValue(bar.Value() + 1.0f);
    } catch (const std::exception&) {
      // The count is cosmetic; the blocks must go back whatever the bar accepts.
    }
    allocator.GlobalFree(held.moveable[i]);
    held.moveable.resize(static_cast<std::size_t>(i) + 1);
    allocator.GlobalFree(held.fixed[i]);
    services.DoEvents();
  }
  bar.setVisible(false);
}

}  // namespace

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
