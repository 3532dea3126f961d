#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory/checked_math.h"

namespace kelvane::mem {

// The process's cgroup paths as /proc/self/cgroup lists them.
struct CgroupMembership {
  std::optional<std::string> unified;   // "0::/path" (cgroup v2)
  std::optional<std::string> memoryV1;  // "N:...memory...:/path" (cgroup v1)
};

CgroupMembership ParseProcSelfCgroup(std::string_view text);

// One cgroup whose limit can stop the process: the files that hold its limit and usage.
struct CgroupLevel {
  std::string limitPath;
  std::string usagePath;

  friend bool operator==(const CgroupLevel&, const CgroupLevel&) = default;
};

// Every level from the process's own cgroup up to the root of each hierarchy,
// innermost first: a parent's limit binds its children too.
std::vector<CgroupLevel> CgroupLevelsFor(const CgroupMembership& membership, const std::string& cgroupRoot);

// What may still be charged before usage comes within reserve of the limit.
constexpr std::uint64_t HeadroomBelowLimit(std::uint64_t limit, std::uint64_t usage, std::uint64_t reserve) {
  return SaturatingSub(limit, SaturatingAdd(usage, reserve));
}

// Reads the levels' files; the tightest headroom, or nothing when no level
// has a numeric limit. A level whose usage cannot be read counts as full,
// since guessing low could let the process be killed.
std::optional<std::uint64_t> SampleCgroupHeadroom(const std::vector<CgroupLevel>& levels,
                                                  std::uint64_t reserve);

// Levels whose limit file exists (checked once; the set does not change).
std::vector<CgroupLevel> ExistingCgroupLevels(const std::string& procSelfCgroupPath,
                                              const std::string& cgroupRoot);

}  // namespace kelvane::mem
