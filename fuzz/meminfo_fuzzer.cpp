// /proc/meminfo text: parsed values, the derived status and the file-backed source agree, and no
// text gives more available memory than total or a figure that is not whole kilobytes.
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/check.h"
#include "fuzz/memfd_file.h"
#include "platform/memory/decimal.h"
#include "platform/memory/meminfo.h"
#include "platform/memory/memory_status.h"

namespace {

using namespace kelvane::mem;

// What ParseDecimal promises, said the slow way.
std::optional<std::uint64_t> ReferenceDecimal(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  if (text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void CheckParse(std::string_view text) {
  const MeminfoParse parsed = ParseMeminfo(text);
  const MeminfoValues& v = parsed.values;
  const std::optional<std::uint64_t> fields[] = {v.memTotal, v.buffers, v.memAvailable,
                                                 v.memFree,  v.cached,  v.sReclaimable};
  for (const auto& field : fields) {
    // A failed parse keeps nothing; a good one holds whole kilobytes.
    FUZZ_CHECK(parsed.ok() || !field);
    FUZZ_CHECK(!field || *field % 1024 == 0);
  }
  FUZZ_CHECK(parsed.ok() || parsed.error.starts_with("memory information line "));

  const MemoryStatus derived = DeriveStatus(v);
  FUZZ_CHECK(derived.availPhys <= derived.totalPhys);
  FUZZ_CHECK(derived.totalPhys == v.memTotal.value_or(0));

  std::string error;
  const MemoryStatus status = StatusFromMeminfo(text, &error);
  // The status reads only as far as it needs MemTotal and MemAvailable: a fault further on is not its.
  if (parsed.ok()) FUZZ_CHECK(status == derived);
  FUZZ_CHECK(error.empty() == (status.totalPhys != 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(ParseDecimal(text) == ReferenceDecimal(text));
  CheckParse(text);

  // The same text through the source that rereads one descriptor.
  static MemfdFile file;
  file.Replace(data, size);
  ProcMeminfoSource source(file.path());
  const MemoryStatus expected = StatusFromMeminfo(text);
  FUZZ_CHECK(source.Sample() == expected);
  FUZZ_CHECK(source.Sample() == expected);
  FUZZ_CHECK(source.lastError().empty() == (expected.totalPhys != 0));
  return 0;
}
