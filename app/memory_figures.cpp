#include "app/memory_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace kelvane::app {
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

// Free and total as one decimal each, free never above total and total never beyond what its text
// can show; a larger total is scaled down with free, so the share stays the machine's own.
std::pair<double, double> BoundedFigures(std::uint64_t totalBytes, std::uint64_t availBytes) {
  double total = ToDisplayMegabytes(totalBytes);
  double free = ToDisplayMegabytes(std::min(availBytes, totalBytes));
  if (total > kLargestTotal) {
    free = RoundToTenth(free / total * kLargestTotal);
    total = kLargestTotal;
  }
  return {total, free};
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

double ToDisplayMegabytes(std::uint64_t bytes) {
  return RoundToTenth(static_cast<double>(bytes) / kBytesPerDisplayMegabyte);
}

QString FormatFixed(double value, int decimals, const QLocale& locale) {
  QString text = QString::number(value, 'f', decimals);
  // A tiny negative difference must not show as "-0.000".
  if (text.startsWith(u'-') && QString::number(0.0, 'f', decimals) == text.mid(1)) text.remove(0, 1);
  return text.replace(u'.', locale.decimalPoint());
}

double LeadingNumber(const QString& text) {
  QString number;
  bool seenDigit = false, seenPoint = false, seenSign = false;
  for (QChar c : text) {
    if (IsBlank(c)) continue;
    if ((c == u'+' || c == u'-') && !seenSign && !seenDigit && !seenPoint) {
      seenSign = true;
    } else if (c.isDigit() && c.unicode() < 0x80) {
      seenDigit = true;
    } else if (c == u'.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    number += c;
  }
  bool ok = false;
  const double v = number.toDouble(&ok);
  return ok ? v : 0.0;
}

SampledFigures SampleFigures(std::uint64_t totalBytes, std::uint64_t availBytes, const QLocale& locale,
                             const SampledFigures* previous) {
  SampledFigures f;
  std::tie(f.total, f.free) = BoundedFigures(totalBytes, availBytes);
  f.barValue = FloorPercent(f.free, f.total);
  // Formatting is most of a tick's own work, and a figure rounded to a tenth mostly stays put.
  if (previous && previous->free == f.free) {
    f.freeText = previous->freeText;
  } else {
    f.freeText = FormatFixed(f.free, 2, locale) + QStringLiteral(" MB");
  }
  if (previous && previous->total == f.total) {
    f.totalText = previous->totalText;
  } else {
    // Whole megabytes, halves to the even neighbour (the default rounding mode).
    const std::int32_t wholeTotal = ClampToInt32(std::nearbyint(f.total));
    f.totalText = FormatFixed(wholeTotal, 3, locale) + QStringLiteral(" MB");
  }
  return f;
}

ShownFigures RefreshFigures(const QString& totalText, const QString& freeText, const QLocale& locale) {
  ShownFigures s;
  s.total = totalText;
  s.free = freeText;
  const double total = LeadingNumber(s.total);
  const double free = LeadingNumber(s.free);
  // The whole-number total can round below a free figure that is nearly all of it (2.5 shows
  // as 2): used stops at 0 and the share at 100 rather than showing -0.500 Mb or 125 %.
  s.used = FormatFixed(std::max(total - free, 0.0), 3, locale) + QStringLiteral(" Mb");
  s.percent = QString::number(std::clamp(FloorPercent(free, total), 0, 100)) + QStringLiteral(" %");
  return s;
}

}  // namespace kelvane::app
