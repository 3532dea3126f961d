#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/memory/page_block.h"

namespace kelvane::mem {

// A handle is a slot index plus the slot's generation, which changes each
// time the slot is freed, so a handle kept after GlobalFree no longer matches.
inline constexpr unsigned kHandleIndexBits = 18;
inline constexpr std::uint32_t kHandleSlots = 1u << kHandleIndexBits;
inline constexpr std::uint32_t kHandleIndexMask = kHandleSlots - 1;
inline constexpr std::uint32_t kHandleGenerations = 1u << (32 - kHandleIndexBits);

struct HandleParts {
  std::uint32_t index;
  std::uint32_t generation;
};

// Generations run 1..kHandleGenerations-1, so no handle is ever 0.
constexpr std::uint32_t EncodeHandle(HandleParts parts) {
  return (parts.generation << kHandleIndexBits) | (parts.index & kHandleIndexMask);
}

constexpr HandleParts DecodeHandle(std::uint32_t handle) {
  return {handle & kHandleIndexMask, handle >> kHandleIndexBits};
}

constexpr std::uint32_t NextGeneration(std::uint32_t generation) {
  return generation + 1 >= kHandleGenerations ? 1 : generation + 1;
}

class HandleTable {
 public:
  // 0 if every slot is taken or the table cannot grow; the block is then
  // left with the caller, who unmaps it.
  std::uint32_t Insert(PageBlock& block) noexcept;
  // Takes the block out; an empty block for 0, unknown or stale handles.
  PageBlock Remove(std::uint32_t handle) noexcept;
  const PageBlock* Find(std::uint32_t handle) const noexcept;

  std::size_t size() const { return live_; }
  std::uint64_t heldBytes() const { return heldBytes_; }

 private:
  struct Slot {
    PageBlock block;
    std::uint32_t generation = 1;
  };

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> freeSlots_;
  std::size_t live_ = 0;
  std::uint64_t heldBytes_ = 0;
};

}  // namespace kelvane::mem
