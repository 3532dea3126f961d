#pragma once

#include <optional>
#include <string>

namespace kelvane::mem {

// Marks the process as the first one the out-of-memory killer should pick
// while memory is deliberately being reserved, and restores the previous
// score afterwards.
class OomScoreGuard {
 public:
  static constexpr const char* kDefaultPath = "/proc/self/oom_score_adj";
  static constexpr int kRaisedScore = 1000;

  explicit OomScoreGuard(std::string path = kDefaultPath);
  ~OomScoreGuard();
  OomScoreGuard(const OomScoreGuard&) = delete;
  OomScoreGuard& operator=(const OomScoreGuard&) = delete;

  // The score in force before the guard, if it could be read.
  std::optional<int> previous() const { return previous_; }

 private:
  std::string path_;
  std::optional<int> previous_;
};

}  // namespace kelvane::mem
