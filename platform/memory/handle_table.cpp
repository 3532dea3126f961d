#include "platform/memory/handle_table.h"

#include <algorithm>
#include <new>
#include <utility>

namespace kelvane::mem {
namespace {

constexpr std::size_t kMinFreeListCapacity = 64;

}  // namespace

std::uint32_t HandleTable::Insert(PageBlock& block) noexcept {
  try {
    std::uint32_t index = 0;
    if (!freeSlots_.empty()) {
      index = freeSlots_.back();
      freeSlots_.pop_back();
    } else {
      if (slots_.size() >= kHandleSlots) return 0;
      // Reserve the free list alongside so Remove never has to allocate.
      if (freeSlots_.capacity() <= slots_.size()) {
        freeSlots_.reserve(std::max<std::size_t>(kMinFreeListCapacity, 2 * slots_.size()));
      }
      slots_.emplace_back();
      index = static_cast<std::uint32_t>(slots_.size() - 1);
    }
    Slot& slot = slots_[index];
    heldBytes_ += block.size();
    ++live_;
    slot.block = std::move(block);
    return EncodeHandle({index, slot.generation});
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

const PageBlock* HandleTable::Find(std::uint32_t handle) const noexcept {
  const auto [index, generation] = DecodeHandle(handle);
  if (handle == 0 || index >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  if (slot.generation != generation || !slot.block) return nullptr;
  return &slot.block;
}

PageBlock HandleTable::Remove(std::uint32_t handle) noexcept {
  if (!Find(handle)) return {};
  const std::uint32_t index = DecodeHandle(handle).index;
  Slot& slot = slots_[index];
  PageBlock block = std::move(slot.block);
  slot.generation = NextGeneration(slot.generation);
  freeSlots_.push_back(index);
  --live_;
  heldBytes_ -= block.size();
  return block;
}

}  // namespace kelvane::mem
