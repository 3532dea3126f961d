#pragma once
// The memory texts the window shows, without Qt: the terminal's --status must not load it. The
// window's own module wraps these for QString and QLocale, so both show the same texts.
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane::app::figures {

inline constexpr double kBytesPerDisplayMegabyte = 1044032.0;

// Bytes to display megabytes, rounded half up to one decimal.
double ToDisplayMegabytes(std::uint64_t bytes);

// One sample's figures: free and total in display megabytes, free never above total and total
// never beyond what its text can show; the bar's value is the free share.
struct SampledNumbers {
  double total = 0;
  double free = 0;
  std::int32_t barValue = 0;
};
SampledNumbers SampleNumbers(std::uint64_t totalBytes, std::uint64_t availBytes);

// "0.00"/"0.000" patterns: at least one integer digit, exactly `decimals` places, no grouping,
// `decimalPoint` (UTF-8) in place of the period.
std::string FormatFixed(double value, int decimals, std::string_view decimalPoint);
std::string FreeText(double free, std::string_view decimalPoint);    // "95.80 MB"
std::string TotalText(double total, std::string_view decimalPoint);  // "257.000 MB", whole megabytes

// The number a text starts with: blanks anywhere are skipped; sign, digits, '.', digits;
// the period is the only separator recognised, whatever the locale. No number reads as 0.
double LeadingNumber(std::string_view text);

// What the refresh step shows, derived from the working texts.
struct ShownTexts {
  std::string total, free;
  std::string used;     // e.g. "161.200 Mb"
  std::string percent;  // e.g. "37 %"
};
ShownTexts RefreshTexts(std::string_view totalText, std::string_view freeText, std::string_view decimalPoint);

}  // namespace kelvane::app::figures
