#pragma once
// kelvane --status: the window's figures on one line, or as JSON, without loading any GUI library.
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane::front {

struct StatusArguments {
  bool asked = false;  // --status was given
  bool json = false;
  std::string error;  // set when --status came with something it does not take
};
StatusArguments ParseStatusArguments(int argc, char** argv);

// "Total : 257.000 MB   Used : 161.200 Mb   Free : 95.80 MB   37 %"
std::string StatusLine(std::uint64_t totalBytes, std::uint64_t availBytes, std::string_view decimalPoint);
// The raw kB and the shown texts, one JSON object on one line.
std::string StatusJson(std::uint64_t totalBytes, std::uint64_t availBytes, std::string_view decimalPoint);

// The decimal point of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG), as the C library
// knows it; a locale it does not have reads as the period.
std::string LocaleDecimalPoint();

// Prints the status and returns the exit status: 1 when the figures cannot be read or written.
int PrintStatus(bool json, const char* meminfoPath = "/proc/meminfo");

}  // namespace kelvane::front
