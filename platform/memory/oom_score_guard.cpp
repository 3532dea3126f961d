#include "platform/memory/oom_score_guard.h"

#include <charconv>
#include <utility>

#include "platform/memory/decimal.h"
#include "platform/memory/file_io.h"

namespace kelvane::mem {
namespace {

// Signed, so not ParseDecimal; the same blanks are allowed around it.
std::optional<int> ParseScore(std::string_view text) {
  text = TrimBlanks(text);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

// The score is a courtesy to the rest of the system, not a precondition:
// where /proc is read-only or the write is refused, reserving still runs
// under the headroom checks, so write failures are deliberately ignored.
OomScoreGuard::OomScoreGuard(std::string path) : path_(std::move(path)) {
  if (const auto text = ReadTextFile(path_)) previous_ = ParseScore(*text);
  if (previous_ && *previous_ < kRaisedScore) {
    WriteTextFile(path_, std::to_string(kRaisedScore));
  }
}

OomScoreGuard::~OomScoreGuard() {
  if (previous_ && *previous_ < kRaisedScore) WriteTextFile(path_, std::to_string(*previous_));
}

}  // namespace kelvane::mem
