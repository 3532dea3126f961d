#include "platform/memory/block_allocator.h"

#include "platform/memory/handle_table.h"
#include "platform/memory/headroom.h"
#include "platform/memory/page_block.h"

namespace kelvane::mem {

PageBlockAllocator::PageBlockAllocator() : PageBlockAllocator(PageBlockAllocatorOptions{}) {}

PageBlockAllocator::PageBlockAllocator(PageBlockAllocatorOptions options)
    : gate_(std::make_unique<HeadroomGate>(options)), table_(std::make_unique<HandleTable>()) {}

PageBlockAllocator::~PageBlockAllocator() = default;

// Moveable and fixed blocks are alike here: nothing ever moves a mapping,
// so a handle stays valid until GlobalFree whatever the flags.
std::uint32_t PageBlockAllocator::GlobalAlloc(std::uint32_t /*flags*/, std::size_t bytes) {
  const std::size_t pageSize = PageSize();
  const auto length = RoundUpToPages(bytes, pageSize);
  if (!length) return 0;
  if (!gate_->Admit(*length, table_->heldBytes())) return 0;

  PageBlock block = PageBlock::Map(*length);
  if (!block) return 0;
  if (!populateUnsupported_) {
    switch (PopulateWrite(block.data(), block.size())) {
      case PopulateResult::kDone: break;
      case PopulateResult::kUnsupported:
        populateUnsupported_ = true;
        TouchPages(block.data(), block.size(), pageSize);
        break;
      case PopulateResult::kFailed: return 0;
    }
  } else {
    TouchPages(block.data(), block.size(), pageSize);
  }
  return table_->Insert(block);
}

void PageBlockAllocator::GlobalFree(std::uint32_t handle) { table_->Remove(handle); }

std::size_t PageBlockAllocator::blockCount() const { return table_->size(); }

std::uint64_t PageBlockAllocator::heldBytes() const { return table_->heldBytes(); }

void* PageBlockAllocator::BlockAddress(std::uint32_t handle) const {
  const PageBlock* block = table_->Find(handle);
  return block ? block->data() : nullptr;
}

}  // namespace kelvane::mem
