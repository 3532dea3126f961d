#include "app/memory_figures.h"

#include "app/figures/figure_texts.h"

namespace kelvane::app {
namespace {

std::string DecimalPoint(const QLocale& locale) { return locale.decimalPoint().toStdString(); }

}  // namespace

double ToDisplayMegabytes(std::uint64_t bytes) { return figures::ToDisplayMegabytes(bytes); }

QString FormatFixed(double value, int decimals, const QLocale& locale) {
  return QString::fromStdString(figures::FormatFixed(value, decimals, DecimalPoint(locale)));
}

double LeadingNumber(const QString& text) { return figures::LeadingNumber(text.toStdString()); }

SampledFigures SampleFigures(std::uint64_t totalBytes, std::uint64_t availBytes, const QLocale& locale,
                             const SampledFigures* previous) {
  const figures::SampledNumbers n = figures::SampleNumbers(totalBytes, availBytes);
  SampledFigures f;
  f.total = n.total;
  f.free = n.free;
  f.barValue = n.barValue;
  // Formatting is most of a tick's own work, and a figure rounded to a tenth mostly stays put.
  if (previous && previous->free == f.free) {
    f.freeText = previous->freeText;
  } else {
    f.freeText = QString::fromStdString(figures::FreeText(f.free, DecimalPoint(locale)));
  }
  if (previous && previous->total == f.total) {
    f.totalText = previous->totalText;
  } else {
    f.totalText = QString::fromStdString(figures::TotalText(f.total, DecimalPoint(locale)));
  }
  return f;
}

ShownFigures RefreshFigures(const QString& totalText, const QString& freeText, const QLocale& locale) {
  const figures::ShownTexts t =
      figures::RefreshTexts(totalText.toStdString(), freeText.toStdString(), DecimalPoint(locale));
  return ShownFigures{totalText, freeText, QString::fromStdString(t.used), QString::fromStdString(t.percent)};
}

}  // namespace kelvane::app
