#pragma once

#include <cstddef>
#include <optional>

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

// An anonymous private mapping, unmapped on destruction.
class PageBlock {
 public:
  PageBlock() = default;
  // An empty block if the kernel refuses the mapping.
  static PageBlock Map(std::size_t length);

  ~PageBlock() { reset(); }
  PageBlock(PageBlock&& other) noexcept;
  PageBlock& operator=(PageBlock&& other) noexcept;
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;

  void* data() const { return address_; }
  std::size_t size() const { return length_; }
  explicit operator bool() const { return address_ != nullptr; }
  void reset();

 private:
  PageBlock(void* address, std::size_t length) : address_(address), length_(length) {}

  void* address_ = nullptr;
  std::size_t length_ = 0;
};

}  // namespace kelvane::mem
