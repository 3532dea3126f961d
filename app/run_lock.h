#pragma once
// Keeps the runs of one user's Kelvane processes apart: whichever holds the lock may reserve, the
// others reserve nothing until it is let go. The kernel lets go of it when a holder dies, however.
#include <string>

#include "platform/memory/file_io.h"

namespace kelvane::app {

// $XDG_RUNTIME_DIR/kelvane/optimize.lock; empty when XDG_RUNTIME_DIR is unset or not absolute.
std::string DefaultRunLockPath();

class RunLock {
 public:
  enum class State { Held, HeldElsewhere, Unavailable };

  // Tries once, without waiting. An empty path gives Unavailable.
  explicit RunLock(const std::string& path);
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  State state() const { return state_; }
  // Why the lock could not be used at all, for State::Unavailable.
  const std::string& error() const { return error_; }

 private:
  mem::UniqueFd fd_;
  State state_ = State::Unavailable;
  std::string error_;
};

}  // namespace kelvane::app
