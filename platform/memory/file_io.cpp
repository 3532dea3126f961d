#include "platform/memory/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kelvane::mem {
namespace {

constexpr std::size_t kInitialBuffer = 4096;
// Nothing the program reads comes close; a larger file is not ours to slurp.
constexpr std::size_t kMaxFileBytes = 1 << 20;

}  // namespace

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd OpenForReading(const std::string& path) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return UniqueFd(fd);
}

std::optional<std::size_t> ReadFromStart(int fd, std::vector<char>& buffer) {
  if (buffer.size() < kInitialBuffer) buffer.resize(kInitialBuffer);
  std::size_t length = 0;
  for (;;) {
    if (length == buffer.size()) {
      if (buffer.size() >= kMaxFileBytes) {
        errno = EFBIG;  // the caller's message names the reason, not a stale errno
        return std::nullopt;
      }
      buffer.resize(buffer.size() * 2);
    }
    const ssize_t n = ::pread(fd, buffer.data() + length, buffer.size() - length, static_cast<off_t>(length));
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) return length;
    length += static_cast<std::size_t>(n);
    // A short read of a procfs file is the whole snapshot; asking again at a
    // nonzero offset would mix two snapshots.
    if (length < buffer.size()) return length;
  }
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  const UniqueFd fd = OpenForReading(path);
  if (!fd.valid()) return std::nullopt;
  std::vector<char> buffer;
  const auto length = ReadFromStart(fd.get(), buffer);
  if (!length) return std::nullopt;
  return std::string(buffer.data(), *length);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  int raw = -1;
  do {
    raw = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  } while (raw < 0 && errno == EINTR);
  const UniqueFd fd(raw);
  if (!fd.valid()) return false;
  ssize_t n = -1;
  do {
    n = ::write(fd.get(), text.data(), text.size());
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(text.size());
}

std::string ErrnoText(int error) { return std::strerror(error); }

}  // namespace kelvane::mem
