#include "app/figures/figure_texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kelvane::app::figures {
namespace {

constexpr double kTenths = 10.0;
constexpr double kPercent = 100.0;
// The total text shows a whole number of megabytes as a 32-bit integer: the largest total it can show.
constexpr double kLargestTotal = std::numeric_limits<std::int32_t>::max();

double RoundToTenth(double v) { return std::floor(v * kTenths + 0.5) / kTenths; }

// Saturates instead of wrapping: a figure beyond int32 must not show as a negative number.
std::int32_t ClampToInt32(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

// floor(part / whole * 100); a whole of 0 (no readable total) shows as 0 rather than NaN.
std::int32_t FloorPercent(double part, double whole) {
  if (whole == 0) return 0;
  return ClampToInt32(std::floor(part / whole * kPercent));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

double ToDisplayMegabytes(std::uint64_t bytes) {
  return RoundToTenth(static_cast<double>(bytes) / kBytesPerDisplayMegabyte);
}

SampledNumbers SampleNumbers(std::uint64_t totalBytes, std::uint64_t availBytes) {
  SampledNumbers n;
  n.total = ToDisplayMegabytes(totalBytes);
  n.free = ToDisplayMegabytes(std::min(availBytes, totalBytes));
  // A larger total is scaled down with free, so the share stays the machine's own.
  if (n.total > kLargestTotal) {
    n.free = RoundToTenth(n.free / n.total * kLargestTotal);
    n.total = kLargestTotal;
  }
  n.barValue = FloorPercent(n.free, n.total);
  return n;
}

std::string FormatFixed(double value, int decimals, std::string_view decimalPoint) {
  // The largest figure, 2,147,483,647 with three places, fits with room to spare.
  char buffer[64];
  std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, r.ec == std::errc() ? r.ptr : buffer);
  // A tiny negative difference must not show as "-0.000".
  if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
  if (const auto point = text.find('.'); point != std::string::npos) text.replace(point, 1, decimalPoint);
  return text;
}

std::string FreeText(double free, std::string_view decimalPoint) {
  return FormatFixed(free, 2, decimalPoint) + " MB";
}

std::string TotalText(double total, std::string_view decimalPoint) {
  // Whole megabytes, halves to the even neighbour (the default rounding mode).
  return FormatFixed(ClampToInt32(std::nearbyint(total)), 3, decimalPoint) + " MB";
}

double LeadingNumber(std::string_view text) {
  std::string number;
  bool seenDigit = false, seenPoint = false, seenSign = false, negative = false;
  for (char c : text) {
    if (IsBlank(c)) continue;
    if ((c == '+' || c == '-') && !seenSign && !seenDigit && !seenPoint) {
      seenSign = true;
      negative = c == '-';
      continue;
    }
    if (c >= '0' && c <= '9') {
      seenDigit = true;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    number += c;
  }
  if (!seenDigit) return 0.0;
  double v = 0;
  std::from_chars(number.data(), number.data() + number.size(), v, std::chars_format::fixed);
  return negative ? -v : v;
}

ShownTexts RefreshTexts(std::string_view totalText, std::string_view freeText,
                        std::string_view decimalPoint) {
  ShownTexts s;
  s.total = totalText;
  s.free = freeText;
  const double total = LeadingNumber(totalText);
  const double free = LeadingNumber(freeText);
  // The whole-number total can round below a free figure that is nearly all of it (2.5 shows
  // as 2): used stops at 0 and the share at 100 rather than showing -0.500 Mb or 125 %.
  s.used = FormatFixed(std::max(total - free, 0.0), 3, decimalPoint) + " Mb";
  s.percent = std::to_string(std::clamp(FloorPercent(free, total), 0, 100)) + " %";
  return s;
}

}  // namespace kelvane::app::figures
