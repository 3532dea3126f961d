#include "platform/memory/page_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace kelvane::mem {

std::size_t PageSize() {
  static const std::size_t size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

PopulateResult PopulateWrite(void* address, std::size_t length) {
  for (;;) {
    if (::madvise(address, length, kMadvPopulateWrite) == 0) return PopulateResult::kDone;
    // EINTR: a signal arrived mid-way; pages already populated stay so.
    if (errno == EINTR) continue;
    return errno == EINVAL ? PopulateResult::kUnsupported : PopulateResult::kFailed;
  }
}

void TouchPages(void* address, std::size_t length, std::size_t pageSize) {
  auto* bytes = static_cast<volatile unsigned char*>(address);
  for (std::size_t offset = 0; offset < length; offset += pageSize) bytes[offset] = 0;
}

PageBlock PageBlock::Map(std::size_t length) {
  void* address = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (address == MAP_FAILED) return {};
  return PageBlock(address, length, nullptr);
}

PageBlock PageBlock::Carve(BlockRange& range) {
  void* slot = range.Take();
  if (!slot) return {};
  return PageBlock(slot, range.slotLength(), &range);
}

PageBlock::PageBlock(PageBlock&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      range_(std::exchange(other.range_, nullptr)) {}

PageBlock& PageBlock::operator=(PageBlock&& other) noexcept {
  if (this != &other) {
    reset();
    address_ = std::exchange(other.address_, nullptr);
    length_ = std::exchange(other.length_, 0);
    range_ = std::exchange(other.range_, nullptr);
  }
  return *this;
}

void PageBlock::reset() {
  if (range_) {
    range_->Give(address_);
  } else if (address_) {
    ::munmap(address_, length_);
  }
  address_ = nullptr;
  length_ = 0;
  range_ = nullptr;
}

BlockRange::BlockRange(std::size_t slotLength, std::size_t slots) : slotLength_(slotLength), slots_(slots) {
  std::size_t bytes = 0;
  if (slotLength == 0 || slots == 0 || __builtin_mul_overflow(slotLength, slots, &bytes)) return;
  void* base =
      ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (base == MAP_FAILED) return;
  // A kernel without transparent huge pages refuses the advice, and then has none to split.
  ::madvise(base, bytes, MADV_NOHUGEPAGE);
  base_ = static_cast<unsigned char*>(base);
}

BlockRange::~BlockRange() {
  if (base_) ::munmap(base_, slotLength_ * slots_);
}

void* BlockRange::Take() {
  if (!base_) return nullptr;
  // A slot handed out again starts from zeroed pages.
  if (batched_ > 0) ReturnBatch();
  std::size_t index = 0;
  if (!freed_.empty()) {
    index = freed_.back();
    freed_.pop_back();
  } else if (untouched_ < slots_) {
    // Room for every slot's return is made now, so Give never allocates.
    if (freed_.capacity() <= untouched_) {
      try {
        freed_.reserve(std::max<std::size_t>(64, 2 * untouched_));
      } catch (const std::bad_alloc&) {
        return nullptr;
      }
    }
    index = untouched_++;
  } else {
    return nullptr;
  }
  ++live_;
  return base_ + index * slotLength_;
}

void BlockRange::Give(void* slot) {
  batch_[batched_++] = static_cast<std::size_t>(static_cast<unsigned char*>(slot) - base_) / slotLength_;
  --live_;
  if (batched_ == kGiveBatch || live_ == 0) ReturnBatch();
}

void BlockRange::ReturnBatch() {
  std::array<std::size_t, kGiveBatch> sorted;
  const auto end = std::copy_n(batch_.begin(), batched_, sorted.begin());
  std::sort(sorted.begin(), end);
  for (auto run = sorted.begin(); run != end;) {
    auto next = run + 1;
    while (next != end && *next == *(next - 1) + 1) ++next;
    ::madvise(base_ + *run * slotLength_, static_cast<std::size_t>(next - run) * slotLength_, MADV_DONTNEED);
    run = next;
  }
  // Capacity for every slot ever taken was reserved by Take: this never allocates.
  freed_.insert(freed_.end(), batch_.begin(), batch_.begin() + batched_);
  batched_ = 0;
}

}  // namespace kelvane::mem
