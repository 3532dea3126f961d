#include "platform/memory/meminfo.h"

#include <algorithm>
#include <array>

#include "platform/memory/checked_math.h"
#include "platform/memory/decimal.h"

namespace kelvane::mem {
namespace {

constexpr std::uint64_t kBytesPerKb = 1024;
constexpr std::string_view kUnit = "kB";

using Field = std::optional<std::uint64_t> MeminfoValues::*;

struct Key {
  std::string_view name;
  Field field;
};

constexpr std::array kKeys{
    Key{"MemTotal", &MeminfoValues::memTotal},
    Key{"MemFree", &MeminfoValues::memFree},
    Key{"MemAvailable", &MeminfoValues::memAvailable},
    Key{"Buffers", &MeminfoValues::buffers},
    Key{"Cached", &MeminfoValues::cached},
    Key{"SReclaimable", &MeminfoValues::sReclaimable},
    Key{"SwapFree", &MeminfoValues::swapFree},
};

// "   24683772 kB" -> bytes, or an explanation.
std::optional<std::uint64_t> ParseKbFigure(std::string_view text, std::string& why) {
  text = TrimBlanks(text);
  const bool hasUnit = text.ends_with(kUnit);
  const auto number = TrimBlanks(hasUnit ? text.substr(0, text.size() - kUnit.size()) : text);
  const auto kb = hasUnit ? ParseDecimal(number) : std::nullopt;
  const auto bytes = kb ? CheckedMulAdd(*kb, kBytesPerKb, 0) : std::nullopt;
  if (bytes) return bytes;
  const bool digitsOnly = !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
  why = hasUnit && digitsOnly ? "the figure is too large" : "expected a whole number followed by \"kB\"";
  return std::nullopt;
}

// Reads until it has every key, or with `untilAvailable` until it has MemTotal and MemAvailable:
// the other keys only stand in for a missing MemAvailable.
MeminfoParse Parse(std::string_view text, bool untilAvailable) {
  MeminfoParse result;
  int lineNumber = 0;
  // The kernel lists every key once: the rest of the file, read ten times a second, need not be
  // scanned. MemAvailable is its third line, SReclaimable past its twentieth.
  std::size_t found = 0;
  const auto done = [&] {
    return found == kKeys.size() || (untilAvailable && result.values.memTotal && result.values.memAvailable);
  };
  while (!text.empty() && !done()) {
    const auto eol = std::min(text.find('\n'), text.size());
    const auto line = text.substr(0, eol);
    text.remove_prefix(std::min(eol + 1, text.size()));
    ++lineNumber;

    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const auto name = TrimBlanks(line.substr(0, colon));
    const auto key = std::find_if(kKeys.begin(), kKeys.end(), [&](const Key& k) { return k.name == name; });
    if (key == kKeys.end()) continue;

    std::string why;
    const auto bytes = ParseKbFigure(line.substr(colon + 1), why);
    if (!bytes) {
      result.values = {};
      result.error =
          "memory information line " + std::to_string(lineNumber) + " (" + std::string(name) + "): " + why;
      return result;
    }
    // A repeated key keeps its first figure, wherever the reading stops.
    if (!(result.values.*(key->field))) {
      ++found;
      result.values.*(key->field) = *bytes;
    }
  }
  return result;
}

}  // namespace

MeminfoParse ParseMeminfo(std::string_view text) { return Parse(text, false); }

MemoryStatus DeriveStatus(const MeminfoValues& values) {
  if (!values.memTotal || *values.memTotal == 0) return {};
  const std::uint64_t total = *values.memTotal;
  std::uint64_t avail = 0;
  if (values.memAvailable) {
    avail = *values.memAvailable;
  } else {
    for (const auto& part : {values.memFree, values.buffers, values.cached, values.sReclaimable}) {
      avail = SaturatingAdd(avail, part.value_or(0));
    }
  }
  return {total, std::min(avail, total)};
}

MemoryStatus StatusFromMeminfo(std::string_view text, std::string* error) {
  const auto parsed = Parse(text, true);
  if (error) *error = parsed.error;
  if (!parsed.ok()) return {};
  const auto status = DeriveStatus(parsed.values);
  if (error && status.totalPhys == 0) *error = "memory information has no usable MemTotal figure";
  return status;
}

}  // namespace kelvane::mem
