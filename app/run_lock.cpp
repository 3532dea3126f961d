#include "app/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace kelvane::app {

std::string DefaultRunLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  // The base directory rules: a relative path is to be ignored.
  if (!runtime || runtime[0] != '/') return {};
  return std::string(runtime) + "/kelvane/optimize.lock";
}

RunLock::RunLock(const std::string& path) {
  if (path.empty()) {
    error_ = "XDG_RUNTIME_DIR is not set";
    return;
  }
  const std::string dir = path.substr(0, path.rfind('/'));
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    error_ = "cannot make " + dir + ": " + mem::ErrnoText(errno);
    return;
  }
  fd_ = mem::UniqueFd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!fd_.valid()) {
    error_ = "cannot open " + path + ": " + mem::ErrnoText(errno);
    return;
  }
  int result = 0;
  do {
    result = ::flock(fd_.get(), LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    state_ = State::Held;
  } else if (errno == EWOULDBLOCK) {
    state_ = State::HeldElsewhere;
  } else {
    error_ = "cannot lock " + path + ": " + mem::ErrnoText(errno);
  }
}

}  // namespace kelvane::app
