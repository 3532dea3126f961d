#include "app/front/status.h"

#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/figures/figure_texts.h"
#include "platform/memory/file_io.h"
#include "platform/memory/meminfo.h"

namespace kelvane::front {
namespace {

constexpr std::uint64_t kBytesPerKb = 1024;

struct Texts {
  std::string total, used, free, percent;
};

Texts ShownTexts(std::uint64_t totalBytes, std::uint64_t availBytes, std::string_view decimalPoint) {
  namespace f = app::figures;
  const f::SampledNumbers n = f::SampleNumbers(totalBytes, availBytes);
  const f::ShownTexts s =
      f::RefreshTexts(f::TotalText(n.total, decimalPoint), f::FreeText(n.free, decimalPoint), decimalPoint);
  return {s.total, s.used, s.free, s.percent};
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + '"';
}

}  // namespace

StatusArguments ParseStatusArguments(int argc, char** argv) {
  StatusArguments a;
  for (int i = 1; i < argc; ++i) a.asked = a.asked || std::strcmp(argv[i], "--status") == 0;
  if (!a.asked) return a;
  for (int i = 1; i < argc && a.error.empty(); ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      a.json = true;
    } else if (std::strcmp(argv[i], "--status") != 0) {
      a.error = std::string("--status takes only --json, not '") + argv[i] + "'.";
    }
  }
  return a;
}

std::string StatusLine(std::uint64_t totalBytes, std::uint64_t availBytes, std::string_view decimalPoint) {
  const Texts t = ShownTexts(totalBytes, availBytes, decimalPoint);
  return "Total : " + t.total + "   Used : " + t.used + "   Free : " + t.free + "   " + t.percent;
}

std::string StatusJson(std::uint64_t totalBytes, std::uint64_t availBytes, std::string_view decimalPoint) {
  const Texts t = ShownTexts(totalBytes, availBytes, decimalPoint);
  return "{\"total_kb\":" + std::to_string(totalBytes / kBytesPerKb) +
         ",\"available_kb\":" + std::to_string(availBytes / kBytesPerKb) +
         ",\"total\":" + JsonString(t.total) + ",\"used\":" + JsonString(t.used) +
         ",\"free\":" + JsonString(t.free) + ",\"percent\":" + JsonString(t.percent) + "}";
}

std::string LocaleDecimalPoint() {
  const locale_t numeric = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (!numeric) return ".";
  std::string point = ::nl_langinfo_l(RADIXCHAR, numeric);
  ::freelocale(numeric);
  return point.empty() ? "." : point;
}

int PrintStatus(bool json, const char* meminfoPath) {
  const std::optional<std::string> text = mem::ReadTextFile(meminfoPath);
  const int readError = errno;
  if (!text) {
    std::fprintf(stderr, "kelvane: cannot read %s: %s\n", meminfoPath, mem::ErrnoText(readError).c_str());
    return 1;
  }
  std::string error;
  const mem::MemoryStatus status = mem::StatusFromMeminfo(*text, &error);
  if (status.totalPhys == 0) {
    std::fprintf(stderr, "kelvane: cannot read the memory figures in %s: %s\n", meminfoPath, error.c_str());
    return 1;
  }
  const std::string point = LocaleDecimalPoint();
  const std::string out = json ? StatusJson(status.totalPhys, status.availPhys, point)
                               : StatusLine(status.totalPhys, status.availPhys, point);
  if (std::printf("%s\n", out.c_str()) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "kelvane: cannot write to standard output: %s\n", mem::ErrnoText(errno).c_str());
    return 1;
  }
  return 0;
}

}  // namespace kelvane::front
