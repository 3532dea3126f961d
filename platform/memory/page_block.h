#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace kelvane::mem {

// Older headers lack it; the kernel has understood it since 5.14.
inline constexpr int kMadvPopulateWrite = 23;

std::size_t PageSize();

// bytes rounded up to whole pages; nothing on overflow or for 0 bytes.
constexpr std::optional<std::size_t> RoundUpToPages(std::size_t bytes, std::size_t pageSize) {
  if (bytes == 0 || pageSize == 0) return std::nullopt;
  const std::size_t pages = bytes / pageSize + (bytes % pageSize != 0 ? 1 : 0);
  std::size_t rounded = 0;
  if (__builtin_mul_overflow(pages, pageSize, &rounded)) return std::nullopt;
  return rounded;
}

enum class PopulateResult { kDone, kUnsupported, kFailed };

// Makes every page of the range resident and writable now, so a later
// shortage shows up here as an error instead of as a fault on first touch.
PopulateResult PopulateWrite(void* address, std::size_t length);

// Fallback for kernels without populate: writes one byte per page. Only
// called after the headroom check, as a fault here cannot be reported.
void TouchPages(void* address, std::size_t length, std::size_t pageSize);

class BlockRange;

// Pages for one block: an anonymous private mapping of its own, unmapped on destruction, or a
// slot of a BlockRange, whose pages go back to the system on destruction.
class PageBlock {
 public:
  PageBlock() = default;
  // An empty block if the kernel refuses the mapping.
  static PageBlock Map(std::size_t length);
  // An empty block if the range has no free slot.
  static PageBlock Carve(BlockRange& range);

  ~PageBlock() { reset(); }
  PageBlock(PageBlock&& other) noexcept;
  PageBlock& operator=(PageBlock&& other) noexcept;
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;

  void* data() const { return address_; }
  std::size_t size() const { return length_; }
  explicit operator bool() const { return address_ != nullptr; }
  bool carved() const { return range_ != nullptr; }
  void reset();

 private:
  PageBlock(void* address, std::size_t length, BlockRange* range)
      : address_(address), length_(length), range_(range) {}

  void* address_ = nullptr;
  std::size_t length_ = 0;
  BlockRange* range_ = nullptr;  // the slot's owner; none for a mapping of its own
};

// One reservation of address space cut into equal slots, so that a block costs no mapping, no
// mapping split and no unmapping of its own: its pages are populated in place and handed back
// with MADV_DONTNEED, which frees them at once. Nothing is charged for the reservation itself
// (MAP_NORESERVE), so it is only for systems that overcommit; huge pages are kept out, as freeing
// a slot of one would free nothing until the kernel splits it.
class BlockRange {
 public:
  // Unusable (operator bool false) when the address space cannot be reserved.
  BlockRange(std::size_t slotLength, std::size_t slots);
  ~BlockRange();
  BlockRange(const BlockRange&) = delete;
  BlockRange& operator=(const BlockRange&) = delete;

  explicit operator bool() const { return base_ != nullptr; }
  std::size_t slotLength() const { return slotLength_; }
  std::size_t live() const { return live_; }

  // Slots given back wait in a batch of this many before their pages go back to the system:
  // neighbours then take one call instead of one each, which halves the time of giving back
  // 64,000 blocks newest first. The batch goes back when full, when the range is emptied, or
  // before a slot is taken.
  static constexpr std::size_t kGiveBatch = 32;

  // A slot with no pages yet; the one freed last comes back first. nullptr when all are taken.
  void* Take();
  // Gives the slot back to the range, and its pages to the system with the batch.
  void Give(void* slot);

 private:
  void ReturnBatch();

  unsigned char* base_ = nullptr;
  std::size_t slotLength_ = 0;
  std::size_t slots_ = 0;
  std::size_t untouched_ = 0;  // slots from here on were never taken
  std::size_t live_ = 0;
  std::vector<std::size_t> freed_;
  std::array<std::size_t, kGiveBatch> batch_{};  // in the order given
  std::size_t batched_ = 0;
};

}  // namespace kelvane::mem
