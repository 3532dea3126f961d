#include "platform/memory/cgroup.h"

#include <unistd.h>

#include <algorithm>

#include "platform/memory/decimal.h"
#include "platform/memory/file_io.h"

namespace kelvane::mem {
namespace {

bool ListsController(std::string_view controllers, std::string_view wanted) {
  while (!controllers.empty()) {
    const auto comma = std::min(controllers.find(','), controllers.size());
    if (controllers.substr(0, comma) == wanted) return true;
    controllers.remove_prefix(std::min(comma + 1, controllers.size()));
  }
  return false;
}

bool ClimbsOut(std::string_view path) {
  const std::string padded = "/" + std::string(path) + "/";
  return padded.find("/../") != std::string::npos;
}

// "/a/b" -> "/a/b", "/a", "/"; anything not absolute, climbing with "..", or holding a NUL (which
// would cut the file name short when opened) gives nothing.
std::vector<std::string> SelfAndAncestors(std::string path) {
  if (path.empty() || path.front() != '/' || ClimbsOut(path) || path.find('\0') != std::string::npos)
    return {};
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::vector<std::string> chain{path};
  while (path != "/") {
    const auto slash = path.rfind('/');
    path = slash == 0 ? "/" : path.substr(0, slash);
    chain.push_back(path);
  }
  return chain;
}

void AppendLevels(std::vector<CgroupLevel>& levels, const std::string& base, const std::string& path,
                  const char* limitFile, const char* usageFile) {
  for (const auto& dir : SelfAndAncestors(path)) {
    const std::string prefix = base + (dir == "/" ? "" : dir) + "/";
    levels.push_back({prefix + limitFile, prefix + usageFile});
  }
}

}  // namespace

CgroupMembership ParseProcSelfCgroup(std::string_view text) {
  CgroupMembership membership;
  while (!text.empty()) {
    const auto eol = std::min(text.find('\n'), text.size());
    const auto line = TrimBlanks(text.substr(0, eol));
    text.remove_prefix(std::min(eol + 1, text.size()));

    // hierarchy-id:controller-list:path; the path itself may hold colons.
    const auto first = line.find(':');
    if (first == std::string_view::npos) continue;
    const auto second = line.find(':', first + 1);
    if (second == std::string_view::npos) continue;
    const auto id = line.substr(0, first);
    const auto controllers = line.substr(first + 1, second - first - 1);
    const std::string path(line.substr(second + 1));
    if (id == "0" && controllers.empty()) {
      membership.unified = path;
    } else if (ListsController(controllers, "memory")) {
      membership.memoryV1 = path;
    }
  }
  return membership;
}

std::vector<CgroupLevel> CgroupLevelsFor(const CgroupMembership& membership, const std::string& cgroupRoot) {
  std::vector<CgroupLevel> levels;
  if (membership.unified) {
    AppendLevels(levels, cgroupRoot, *membership.unified, "memory.max", "memory.current");
  }
  if (membership.memoryV1) {
    AppendLevels(levels, cgroupRoot + "/memory", *membership.memoryV1, "memory.limit_in_bytes",
                 "memory.usage_in_bytes");
  }
  return levels;
}

std::optional<std::uint64_t> SampleCgroupHeadroom(const std::vector<CgroupLevel>& levels,
                                                  std::uint64_t reserve) {
  std::optional<std::uint64_t> tightest;
  for (const auto& level : levels) {
    const auto limitText = ReadTextFile(level.limitPath);
    // "max" (no limit) reads as nothing, like anything else that is not a plain number.
    const auto limit = limitText ? ParseDecimal(*limitText) : std::nullopt;
    if (!limit) continue;
    const auto usageText = ReadTextFile(level.usagePath);
    const auto usage = usageText ? ParseDecimal(*usageText) : std::nullopt;
    const std::uint64_t headroom = usage ? HeadroomBelowLimit(*limit, *usage, reserve) : 0;
    tightest = std::min(tightest.value_or(headroom), headroom);
  }
  return tightest;
}

std::vector<CgroupLevel> ExistingCgroupLevels(const std::string& procSelfCgroupPath,
                                              const std::string& cgroupRoot) {
  const auto text = ReadTextFile(procSelfCgroupPath);
  if (!text) return {};
  auto levels = CgroupLevelsFor(ParseProcSelfCgroup(*text), cgroupRoot);
  std::erase_if(levels,
                [](const CgroupLevel& level) { return ::access(level.limitPath.c_str(), R_OK) != 0; });
  return levels;
}

}  // namespace kelvane::mem
