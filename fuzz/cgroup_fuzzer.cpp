// The cgroup readers and the out-of-memory score. The input is up to four texts split by a line
// "----": /proc/self/cgroup, a limit file, a usage file, oom_score_adj.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "fuzz/memfd_file.h"
#include "platform/memory/cgroup.h"
#include "platform/memory/decimal.h"
#include "platform/memory/file_io.h"
#include "platform/memory/oom_score_guard.h"

namespace {

using namespace kelvane::mem;
namespace fs = std::filesystem;

std::vector<std::string_view> Sections(std::string_view input) {
  constexpr std::string_view kSeparator = "\n----\n";
  std::vector<std::string_view> parts;
  while (parts.size() < 3) {
    const auto at = input.find(kSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kSeparator.size());
  }
  parts.push_back(input);
  return parts;
}

// A cgroup tree whose root holds both hierarchies' files, each a link to the limit or usage text
// kept in memory; removed when the run ends.
struct TreeRoot {
  TreeRoot() {
    std::string pattern = (fs::temp_directory_path() / "kelvane-cgroup-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    path = pattern;
    fs::create_directory(path / "memory");
    for (const char* name : {"memory.max", "memory/memory.limit_in_bytes"})
      fs::create_symlink(limit.path(), path / name);
    for (const char* name : {"memory.current", "memory/memory.usage_in_bytes"})
      fs::create_symlink(usage.path(), path / name);
  }
  ~TreeRoot() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
  MemfdFile limit;
  MemfdFile usage;
};

void Replace(MemfdFile& file, std::string_view text) {
  file.Replace(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// "." and ".." resolved without the file system, as the kernel would resolve them.
bool StaysBelow(const std::string& path, const std::string& root) {
  const fs::path normal = fs::path(path).lexically_normal();
  const auto rel = normal.lexically_relative(root);
  return path.starts_with(root + "/") && !rel.empty() && *rel.begin() != "..";
}

void CheckLevels(const std::vector<CgroupLevel>& levels, const std::string& root) {
  for (const auto& level : levels) {
    FUZZ_CHECK(StaysBelow(level.limitPath, root));
    FUZZ_CHECK(StaysBelow(level.usagePath, root));
    // Opened by path, so a NUL would silently name another file.
    FUZZ_CHECK(level.limitPath.find('\0') == std::string::npos);
    FUZZ_CHECK(level.limitPath.ends_with("/memory.max") ||
               level.limitPath.ends_with("/memory.limit_in_bytes"));
  }
}

// An optional minus and digits, within int.
std::optional<int> ReferenceScore(std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<int>::max()} + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
  return static_cast<int>(value);
}

std::string Contents(const std::string& path) { return ReadTextFile(path).value_or("<unreadable>"); }

void CheckOomScore(std::string_view text) {
  static MemfdFile file;
  Replace(file, text);
  const std::string path = file.path();
  std::optional<int> previous;
  {
    const OomScoreGuard guard(path);
    previous = guard.previous();
    FUZZ_CHECK(previous == ReferenceScore(text));
    const bool raised = previous && *previous < OomScoreGuard::kRaisedScore;
    FUZZ_CHECK(Contents(path) == (raised ? std::string("1000") : std::string(text)));
  }
  const bool restored = previous && *previous < OomScoreGuard::kRaisedScore;
  FUZZ_CHECK(Contents(path) == (restored ? std::to_string(*previous) : std::string(text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto sections = Sections(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string_view self = sections[0];

  const CgroupMembership membership = ParseProcSelfCgroup(self);
  for (const auto& path : {membership.unified, membership.memoryV1}) {
    FUZZ_CHECK(!path || path->find('\n') == std::string::npos);
  }
  CheckLevels(CgroupLevelsFor(membership, "/sys/fs/cgroup"), "/sys/fs/cgroup");

  static TreeRoot root;
  const std::string rootPath = root.path.string();
  const std::string_view limit = sections.size() > 1 ? sections[1] : std::string_view("max\n");
  const std::string_view usage = sections.size() > 2 ? sections[2] : std::string_view("0\n");
  Replace(root.limit, limit);
  Replace(root.usage, usage);
  static MemfdFile selfFile;
  Replace(selfFile, self);
  const auto levels = ExistingCgroupLevels(selfFile.path(), rootPath);
  CheckLevels(levels, rootPath);

  // Every existing level holds the same files, so the limit bounds the headroom.
  const auto headroom = SampleCgroupHeadroom(levels, 0);
  const auto limitValue = ParseDecimal(limit);
  FUZZ_CHECK(headroom.has_value() == (!levels.empty() && limitValue.has_value()));
  FUZZ_CHECK(!headroom || *headroom <= *limitValue);

  if (sections.size() > 3) CheckOomScore(sections[3]);
  return 0;
}
