#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/memory/file_io.h"

namespace kelvane::mem {

// Physical memory figures in bytes. 64-bit on purpose: a 32-bit reading
// wraps on any machine with more than 2 GB.
struct MemoryStatus {
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;

  friend bool operator==(const MemoryStatus&, const MemoryStatus&) = default;
};

// Where memory figures come from. A source that cannot read its figures
// reports total 0 and avail 0 rather than throwing: the display treats a
// zero total as "unknown" and the allocator treats it as "no headroom".
class MemoryStatusSource {
 public:
  virtual ~MemoryStatusSource() = default;
  virtual MemoryStatus Sample() = 0;
};

// Reads /proc/meminfo (or an injected file) with one pread() into a member
// buffer; the descriptor stays open between samples.
class ProcMeminfoSource final : public MemoryStatusSource {
 public:
  static constexpr const char* kDefaultPath = "/proc/meminfo";

  explicit ProcMeminfoSource(std::string path = kDefaultPath);
  ProcMeminfoSource(const ProcMeminfoSource&) = delete;
  ProcMeminfoSource& operator=(const ProcMeminfoSource&) = delete;

  MemoryStatus Sample() override;

  // Why the last sample came out as zero; empty after a good sample.
  const std::string& lastError() const { return lastError_; }

 private:
  bool Refill();

  std::string path_;
  UniqueFd fd_;
  std::vector<char> buffer_;
  std::size_t length_ = 0;
  std::string lastError_;
};

// GlobalMemoryStatus, taking the source explicitly so tests can substitute it.
MemoryStatus GlobalMemoryStatus(MemoryStatusSource& source);

}  // namespace kelvane::mem
