#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/memory/block_allocator.h"
#include "platform/memory/cgroup.h"
#include "platform/memory/checked_math.h"
#include "platform/memory/memory_status.h"

namespace kelvane::mem {

inline constexpr std::uint64_t kMiB = 1024 * 1024;
inline constexpr std::uint64_t kMinReserve = 256 * kMiB;
inline constexpr std::uint64_t kReserveShareDivisor = 20;  // 5 %
inline constexpr std::uint64_t kMaxBudget = 64 * kMiB;
inline constexpr std::uint64_t kBudgetShareDivisor = 8;
// A budget is only as good as the figure it came from; others allocate too.
inline constexpr std::chrono::milliseconds kBudgetLifetime{250};

// Memory that must stay available for the rest of the system.
constexpr std::uint64_t ReserveFor(std::uint64_t totalPhys) {
  return std::max(kMinReserve, totalPhys / kReserveShareDivisor);
}

// What may be taken before the available figure falls to the reserve.
// An unknown total (0) leaves nothing: better to refuse than to guess.
constexpr std::uint64_t HeadroomFromStatus(const MemoryStatus& status, std::uint64_t reserve) {
  if (status.totalPhys == 0) return 0;
  return SaturatingSub(status.availPhys, reserve);
}

// How much may be spent from a fresh headroom figure before looking again:
// small enough that the rest of the system cannot eat the margin unseen,
// but never less than the request at hand while the headroom covers it.
constexpr std::uint64_t BudgetFor(std::uint64_t headroom, std::uint64_t request) {
  if (request > headroom) return 0;
  return std::max(std::min(kMaxBudget, headroom / kBudgetShareDivisor), request);
}

// Admits reservations against the system's and the cgroup's headroom,
// sampling the figures only when the locally kept budget runs out.
class HeadroomGate {
 public:
  explicit HeadroomGate(const PageBlockAllocatorOptions& options);

  // True if `bytes` more may be reserved while `held` bytes are already held.
  bool Admit(std::uint64_t bytes, std::uint64_t held);

  // A fresh figure, ignoring the local budget.
  std::uint64_t SampleHeadroom(std::uint64_t held);

  int sampleCount() const { return sampleCount_; }

 private:
  ProcMeminfoSource meminfo_;
  std::vector<CgroupLevel> cgroupLevels_;
  std::optional<std::uint64_t> reserve_;
  std::optional<std::uint64_t> cap_;
  std::uint64_t budget_ = 0;
  std::chrono::steady_clock::time_point budgetExpiry_{};
  int sampleCount_ = 0;
};

}  // namespace kelvane::mem
