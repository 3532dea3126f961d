#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::mem {

// Owns a file descriptor; closes it on destruction.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

UniqueFd OpenForReading(const std::string& path);

// Reads the whole file from offset 0 into buffer (grown as needed, never
// shrunk) and returns the length, or nothing on a read error. Files under
// /proc are regenerated on every read from offset 0.
std::optional<std::size_t> ReadFromStart(int fd, std::vector<char>& buffer);

// A small text file (cgroup and oom files); nothing if it cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path);

// Writes text at offset 0 and truncates; false on any failure.
bool WriteTextFile(const std::string& path, const std::string& text);

// "errno text" for messages.
std::string ErrnoText(int error);

}  // namespace kelvane::mem
