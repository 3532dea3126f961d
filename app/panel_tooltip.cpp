#include "app/panel_tooltip.h"

#include <algorithm>
#include <cmath>

namespace kelvane::app {

QString PanelToolTip(const ShownFigures& shown, std::optional<int> runPercent) {
  QString text =
      QStringLiteral("%1 %2\n%3 %4\n%5 %6\n%7: %8")
          .arg(QLatin1String(kTotalCaption), shown.total, QLatin1String(kUsedCaption), shown.used,
               QLatin1String(kFreeCaption), shown.free, QLatin1String(kPercentCaption), shown.percent);
  if (runPercent) text += QStringLiteral("\nOptimizing: %1 %").arg(std::clamp(*runPercent, 0, 100));
  return text;
}

int PercentFromText(const QString& percentText) {
  return std::clamp(static_cast<int>(LeadingNumber(percentText)), 0, 100);
}

int RunPercent(float value, float max) {
  if (!(max > 0) || !std::isfinite(value)) return 0;
  return std::clamp(static_cast<int>(std::floor(value / max * 100.0f)), 0, 100);
}

}  // namespace kelvane::app
