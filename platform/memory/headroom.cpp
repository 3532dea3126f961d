#include "platform/memory/headroom.h"

namespace kelvane::mem {

HeadroomGate::HeadroomGate(const PageBlockAllocatorOptions& options)
    : meminfo_(options.meminfoPath),
      cgroupLevels_(ExistingCgroupLevels(options.procSelfCgroupPath, options.cgroupRoot)),
      reserve_(options.reserveBytes),
      cap_(options.headroomCap) {}

std::uint64_t HeadroomGate::SampleHeadroom(std::uint64_t held) {
  ++sampleCount_;
  const MemoryStatus status = meminfo_.Sample();
  const std::uint64_t reserve = reserve_.value_or(ReserveFor(status.totalPhys));
  std::uint64_t headroom = HeadroomFromStatus(status, reserve);
  if (const auto cgroup = SampleCgroupHeadroom(cgroupLevels_, reserve)) {
    headroom = std::min(headroom, *cgroup);
  }
  if (cap_) headroom = std::min(headroom, SaturatingSub(*cap_, held));
  return headroom;
}

bool HeadroomGate::Admit(std::uint64_t bytes, std::uint64_t held) {
  const auto now = std::chrono::steady_clock::now();
  if (bytes > budget_ || now >= budgetExpiry_) {
    budget_ = BudgetFor(SampleHeadroom(held), bytes);
    budgetExpiry_ = now + kBudgetLifetime;
  }
  if (bytes > budget_) return false;
  budget_ -= bytes;
  return true;
}

}  // namespace kelvane::mem
