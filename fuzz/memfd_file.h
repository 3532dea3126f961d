#pragma once
// The input as a file the readers open by path, without touching the disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"

class MemfdFile {
 public:
  MemfdFile() : fd_(memfd_create("kelvane-fuzz", MFD_CLOEXEC)) { FUZZ_CHECK(fd_ >= 0); }
  ~MemfdFile() { close(fd_); }
  MemfdFile(const MemfdFile&) = delete;
  MemfdFile& operator=(const MemfdFile&) = delete;

  void Replace(const std::uint8_t* data, std::size_t size) {
    FUZZ_CHECK(ftruncate(fd_, 0) == 0);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      FUZZ_CHECK(n > 0);
      done += static_cast<std::size_t>(n);
    }
  }
  std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};
