#pragma once
// The memory texts the main window shows, as pure functions of the sampled bytes and the locale.
// The visible figures are derived from the working labels' texts, not from the samples, so the
// rounding and formatting of the sample carry into the used figure and the percentage.
#include <QLocale>
#include <QString>
#include <cstdint>

namespace kelvane::app {

// What one sample writes: the bar value and the two working-label texts.
struct SampledFigures {
  double total = 0;  // display megabytes, one decimal
  double free = 0;   // display megabytes, one decimal
  std::int32_t barValue = 0;
  QString freeText;   // e.g. "95.80 MB"
  QString totalText;  // e.g. "257.000 MB"
};

// What the refresh step shows, derived from the working texts.
struct ShownFigures {
  QString total;    // Label2(3)
  QString free;     // Label2(5)
  QString used;     // Label2(4), e.g. "161.200 Mb"
  QString percent;  // Label2(7), e.g. "37 %"
};

// Bytes to display megabytes, rounded half up to one decimal.
double ToDisplayMegabytes(std::uint64_t bytes);
// "0.00"/"0.000" patterns: at least one integer digit, exactly `decimals` places, no grouping,
// the locale's decimal separator.
QString FormatFixed(double value, int decimals, const QLocale& locale);
// The number a text starts with: blanks anywhere are skipped; sign, digits, '.', digits;
// the period is the only separator recognised, whatever the locale. No number reads as 0.
double LeadingNumber(const QString& text);

// `previous`, an earlier result made with the same locale, lends its texts to figures that did not move.
SampledFigures SampleFigures(std::uint64_t totalBytes, std::uint64_t availBytes, const QLocale& locale,
                             const SampledFigures* previous = nullptr);
ShownFigures RefreshFigures(const QString& totalText, const QString& freeText, const QLocale& locale);

}  // namespace kelvane::app
