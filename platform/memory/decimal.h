#pragma once
// The kernel's text figures (/proc/meminfo, cgroup files) are plain decimals with blanks around.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/memory/checked_math.h"

namespace kelvane::mem {

// The blanks the kernel's files may put around a figure or a name.
inline constexpr std::string_view kBlanks = " \t\n\v\f\r";

constexpr std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// An unsigned decimal with optional blanks around it; nothing for an empty text, a sign, any
// other character, or a value past 64 bits.
constexpr std::optional<std::uint64_t> ParseDecimal(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto next = CheckedMulAdd(value, 10, static_cast<std::uint64_t>(c - '0'));
    if (!next) return std::nullopt;
    value = *next;
  }
  return value;
}

}  // namespace kelvane::mem
