#include "platform/memory/memory_status.h"

#include <cerrno>
#include <string_view>
#include <utility>

#include "platform/memory/file_io.h"
#include "platform/memory/meminfo.h"

namespace kelvane::mem {

ProcMeminfoSource::ProcMeminfoSource(std::string path) : path_(std::move(path)) {}

bool ProcMeminfoSource::Refill() {
  if (!fd_.valid()) {
    fd_ = OpenForReading(path_);
    if (!fd_.valid()) {
      lastError_ = "cannot open " + path_ + ": " + ErrnoText(errno);
      return false;
    }
  }
  const auto length = ReadFromStart(fd_.get(), buffer_);
  if (!length) {
    lastError_ = "cannot read " + path_ + ": " + ErrnoText(errno);
    // Reopen next time in case the descriptor went bad.
    fd_ = UniqueFd();
    return false;
  }
  length_ = *length;
  return true;
}

MemoryStatus ProcMeminfoSource::Sample() {
  lastError_.clear();
  if (!Refill()) return {};
  return StatusFromMeminfo(std::string_view(buffer_.data(), length_), &lastError_);
}

MemoryStatus GlobalMemoryStatus(MemoryStatusSource& source) { return source.Sample(); }

}  // namespace kelvane::mem
