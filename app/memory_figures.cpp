#include "app/memory_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvane::app {
namespace {

constexpr double kTenths = 10.0;
constexpr double kPercent = 100.0;

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

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

double ToDisplayMegabytes(std::uint64_t bytes) {
  return std::floor(static_cast<double>(bytes) / kBytesPerDisplayMegabyte * kTenths + 0.5) / kTenths;
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

SampledFigures SampleFigures(std::uint64_t totalBytes, std::uint64_t availBytes, const QLocale& locale) {
  SampledFigures f;
  f.total = ToDisplayMegabytes(totalBytes);
  f.free = ToDisplayMegabytes(availBytes);
  f.barValue = FloorPercent(f.free, f.total);
  f.freeText = FormatFixed(f.free, 2, locale) + QStringLiteral(" MB");
  // Whole megabytes, halves to the even neighbour (the default rounding mode).
  const std::int32_t wholeTotal = ClampToInt32(std::nearbyint(f.total));
  f.totalText = FormatFixed(wholeTotal, 3, locale) + QStringLiteral(" MB");
  return f;
}

ShownFigures RefreshFigures(const QString& totalText, const QString& freeText, const QLocale& locale) {
  ShownFigures s;
  s.total = totalText;
  s.free = freeText;
  const double total = LeadingNumber(s.total);
  const double free = LeadingNumber(s.free);
  s.used = FormatFixed(total - free, 3, locale) + QStringLiteral(" Mb");
  s.percent = QString::number(FloorPercent(free, total)) + QStringLiteral(" %");
  return s;
}

}  // namespace kelvane::app
