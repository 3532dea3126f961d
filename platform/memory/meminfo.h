#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/memory/memory_status.h"

namespace kelvane::mem {

// The /proc/meminfo figures the program reads, in bytes; absent lines stay empty.
struct MeminfoValues {
  std::optional<std::uint64_t> memTotal;
  std::optional<std::uint64_t> memFree;
  std::optional<std::uint64_t> memAvailable;
  std::optional<std::uint64_t> buffers;
  std::optional<std::uint64_t> cached;
  std::optional<std::uint64_t> sReclaimable;
  std::optional<std::uint64_t> swapFree;
};

// Either values or a message naming the offending line.
struct MeminfoParse {
  MeminfoValues values;
  std::string error;

  bool ok() const { return error.empty(); }
};

// Lines it does not read are skipped; a line it reads must hold a decimal
// figure in kB that fits 64 bits once turned into bytes.
MeminfoParse ParseMeminfo(std::string_view text);

// Total and available bytes. Without MemAvailable (kernels before 3.14) the
// available figure is estimated from free, buffers, cache and reclaimable slab.
MemoryStatus DeriveStatus(const MeminfoValues& values);

// Parse as far as the status needs, and derive; a text that does not parse gives {0, 0}.
MemoryStatus StatusFromMeminfo(std::string_view text, std::string* error = nullptr);

}  // namespace kelvane::mem
