#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/memory/oom_score_guard.h"

namespace kelvane::mem {

inline constexpr std::uint32_t GMEM_FIXED = 0;
inline constexpr std::uint32_t GMEM_MOVEABLE = 2;

// Why the last refused block was refused.
enum class Refusal {
  System,  // the system could not give the pages
  Floor,   // what would stay available fell to the reserve kept for everyone else
  Budget,  // a limit of the caller's own: the budget its runs share
};

// Global memory blocks behind 32-bit handles. 0 is never a valid handle:
// GlobalAlloc returns it on refusal and GlobalFree ignores it.
class BlockAllocator {
 public:
  virtual ~BlockAllocator() = default;
  virtual std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) = 0;
  virtual void GlobalFree(std::uint32_t handle) = 0;
  // Meaningful right after GlobalAlloc returned 0.
  virtual Refusal lastRefusal() const { return Refusal::System; }
};

// Where the allocator looks for its limits; the defaults are the live system.
// Tests inject canned files and force a small reserve or headroom.
struct PageBlockAllocatorOptions {
  std::string meminfoPath = "/proc/meminfo";
  std::string procSelfCgroupPath = "/proc/self/cgroup";
  std::string cgroupRoot = "/sys/fs/cgroup";
  // Memory that must stay available; unset means max(256 MiB, 5% of MemTotal).
  std::optional<std::uint64_t> reserveBytes;
  // Upper bound on what the allocator may take in total, whatever the system says.
  std::optional<std::uint64_t> headroomCap;
  // Decides whether blocks may come from one reserved range (only when the system overcommits:
  // strict accounting would charge the whole reservation).
  std::string overcommitPath = "/proc/sys/vm/overcommit_memory";
  // Tests force the paths of kernels without populate support.
  bool touchInsteadOfPopulate = false;
};

class HeadroomGate;
class HandleTable;
class BlockRange;
class PageBlock;

// Anonymous page-backed blocks, resident before GlobalAlloc returns.
// Refuses (handle 0) before the system or the process's cgroup runs short.
// Not thread-safe: meant for the user-interface thread.
class PageBlockAllocator final : public BlockAllocator {
 public:
  PageBlockAllocator();
  explicit PageBlockAllocator(PageBlockAllocatorOptions options);
  ~PageBlockAllocator() override;
  PageBlockAllocator(const PageBlockAllocator&) = delete;
  PageBlockAllocator& operator=(const PageBlockAllocator&) = delete;

  std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) override;
  void GlobalFree(std::uint32_t handle) override;
  Refusal lastRefusal() const override { return lastRefusal_; }

  // Blocks currently held and their mapped size in bytes.
  std::size_t blockCount() const;
  std::uint64_t heldBytes() const;
  // Start address of a held block, or nullptr for 0/unknown/stale handles.
  void* BlockAddress(std::uint32_t handle) const;
  // Whether a held block is a slot of the reserved range rather than a mapping of its own.
  bool IsCarved(std::uint32_t handle) const;

 private:
  PageBlock NewBlock(std::size_t length);

  std::unique_ptr<HeadroomGate> gate_;
  bool rangesAllowed_ = false;
  std::unique_ptr<BlockRange> range_;  // outlives the table, whose blocks may be its slots
  std::unique_ptr<HandleTable> table_;
  bool populateUnsupported_ = false;
  Refusal lastRefusal_ = Refusal::System;
};

}  // namespace kelvane::mem
