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

// What all runs of the routine hold together, nested runs included: one full run's blocks. In a
// 32-bit process every run shared one 2 GB address space, so a nested run was refused once the
// process held it all; a 64-bit process needs the bound said out loud, or each click during a
// release phase would add another full run on top.
inline constexpr std::size_t kReleaseBlockBudget = 2 * static_cast<std::size_t>(kReleasePairCap);

// Refuses (handle 0) a block past the budget, as the system refuses one it cannot give.
// Share one across every run; it counts the blocks it handed out and has not had back.
class SharedReleaseBudget final : public mem::BlockAllocator {
 public:
  explicit SharedReleaseBudget(mem::BlockAllocator& allocator, std::size_t blocks = kReleaseBlockBudget)
      : allocator_(allocator), budget_(blocks) {}
  std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) override;
  void GlobalFree(std::uint32_t handle) override;
  mem::Refusal lastRefusal() const override {
    return overBudget_ ? mem::Refusal::Budget : allocator_.lastRefusal();
  }
  std::size_t held() const { return held_; }

 private:
  mem::BlockAllocator& allocator_;
  std::size_t budget_;
  std::size_t held_ = 0;
  bool overBudget_ = false;
};

// Runs on the UI thread; yields to pending events once per released pair only, so a nested run
// or the end of the program can happen in the release phase.
void RunMemoryRelease(IndicatorBar& bar, mem::BlockAllocator& allocator, host::HostServices& services);

}  // namespace kelvane::app
