#include "platform/memory/page_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
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
  return PageBlock(address, length);
}

PageBlock::PageBlock(PageBlock&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)), length_(std::exchange(other.length_, 0)) {}

PageBlock& PageBlock::operator=(PageBlock&& other) noexcept {
  if (this != &other) {
    reset();
    address_ = std::exchange(other.address_, nullptr);
    length_ = std::exchange(other.length_, 0);
  }
  return *this;
}

void PageBlock::reset() {
  if (address_) ::munmap(address_, length_);
  address_ = nullptr;
  length_ = 0;
}

}  // namespace kelvane::mem
