#pragma once
// The memory release routine behind "Optimize": reserve pairs of blocks until one is refused or
// the cap is reached, then give every pair back, newest first, while the indicator counts.
#include <cstddef>
#include <cstdint>

#include "platform/host/services.h"
#include "platform/memory/block_allocator.h"

namespace kelvane::app {

inline constexpr std::size_t kReleaseBlockBytes = 40000;
inline constexpr std::int16_t kReleasePairCap = 32000;

// The three properties the routine drives; the stock progress bar raises host::RuntimeError
// for a Value above Max (the routine relies on that at the cap) or a Max it refuses.
class IndicatorBar {
 public:
  virtual ~IndicatorBar() = default;
  virtual void setVisible(bool visible) = 0;
  virtual float Max() const = 0;
  virtual void setMax(float max) = 0;
  virtual float Value() const = 0;
  virtual void setValue(float value) = 0;
};

// Runs on the UI thread; yields to pending events once per released pair only, so a nested run
// or the end of the program can happen in the release phase.
void RunMemoryRelease(IndicatorBar& bar, mem::BlockAllocator& allocator, host::HostServices& services);

}  // namespace kelvane::app
