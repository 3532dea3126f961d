#include "platform/memory/block_allocator.h"

#include <algorithm>

#include "platform/memory/file_io.h"
#include "platform/memory/handle_table.h"
#include "platform/memory/headroom.h"
#include "platform/memory/page_block.h"

namespace kelvane::mem {

PageBlockAllocator::PageBlockAllocator() : PageBlockAllocator(PageBlockAllocatorOptions{}) {}

namespace {

// Address space for one range: room for every handle's block, within a bound that leaves
// plenty of a 47-bit address space to everyone else.
constexpr std::uint64_t kRangeAddressBytes = std::uint64_t{64} << 30;
// Blocks so large that fewer than this many fit are mapped one by one.
constexpr std::size_t kMinRangeSlots = 64;

// Mode 2 charges a reservation in full even with MAP_NORESERVE; unreadable is taken as strict.
bool SystemOvercommits(const std::string& path) {
  const auto text = ReadTextFile(path);
  return text && !text->empty() && ((*text)[0] == '0' || (*text)[0] == '1');
}

}  // namespace

PageBlockAllocator::PageBlockAllocator(PageBlockAllocatorOptions options)
    : gate_(std::make_unique<HeadroomGate>(options)),
      rangesAllowed_(SystemOvercommits(options.overcommitPath)),
      table_(std::make_unique<HandleTable>()),
      populateUnsupported_(options.touchInsteadOfPopulate) {}

PageBlockAllocator::~PageBlockAllocator() = default;

// Blocks of one length (the first asked for while no range is in use) are carved from a reserved
// range; any other length, or a range that cannot be had, gets a mapping of its own.
PageBlock PageBlockAllocator::NewBlock(std::size_t length) {
  if (rangesAllowed_ && (!range_ || (range_->live() == 0 && range_->slotLength() != length))) {
    const std::size_t slots = std::min<std::uint64_t>(kHandleSlots, kRangeAddressBytes / length);
    range_.reset();
    if (slots >= kMinRangeSlots) range_ = std::make_unique<BlockRange>(length, slots);
    if (range_ && !*range_) range_.reset();
    // A range that cannot be reserved now is not tried again on every block.
    if (!range_) rangesAllowed_ = false;
  }
  if (range_ && range_->slotLength() == length) {
    if (PageBlock block = PageBlock::Carve(*range_)) return block;
  }
  return PageBlock::Map(length);
}

// Moveable and fixed blocks are alike here: nothing ever moves a mapping,
// so a handle stays valid until GlobalFree whatever the flags.
std::uint32_t PageBlockAllocator::GlobalAlloc(std::uint32_t /*flags*/, std::size_t bytes) {
  const std::size_t pageSize = PageSize();
  const auto length = RoundUpToPages(bytes, pageSize);
  lastRefusal_ = Refusal::System;
  if (!length) return 0;
  if (!gate_->Admit(*length, table_->heldBytes())) {
    lastRefusal_ = Refusal::Floor;
    return 0;
  }

  PageBlock block = NewBlock(*length);
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

void PageBlockAllocator::GlobalFree(std::uint32_t handle) {
  table_->Remove(handle);
  // An emptied range gives back its address space and page tables too.
  if (range_ && range_->live() == 0) range_.reset();
}

std::size_t PageBlockAllocator::blockCount() const { return table_->size(); }

std::uint64_t PageBlockAllocator::heldBytes() const { return table_->heldBytes(); }

bool PageBlockAllocator::IsCarved(std::uint32_t handle) const {
  const PageBlock* block = table_->Find(handle);
  return block && block->carved();
}

void* PageBlockAllocator::BlockAddress(std::uint32_t handle) const {
  const PageBlock* block = table_->Find(handle);
  return block ? block->data() : nullptr;
}

}  // namespace kelvane::mem
