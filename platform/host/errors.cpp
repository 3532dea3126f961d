#include "platform/host/errors.h"

#include <cmath>
#include <limits>

namespace kelvane::host {

namespace {

template <typename Int>
Int CheckedWhole(double v, const char* typeName) {
  const double r = RoundHalfEven(v);
  if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max())) {
    throw RuntimeError(kErrOverflow, std::string("Overflow: the value does not fit in a ") + typeName);
  }
  return static_cast<Int>(r);
}

}  // namespace

std::string MessageText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control) {
      out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    } else {
      out += c;
    }
  }
  return out.toStdString();
}

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  const double lower = std::floor(v);
  const double diff = v - lower;
  if (diff < 0.5) return lower;
  if (diff > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int16_t CInt(double v) { return CheckedWhole<std::int16_t>(v, "16-bit integer (-32768 to 32767)"); }

std::int32_t CLng(double v) {
  return CheckedWhole<std::int32_t>(v, "32-bit integer (-2147483648 to 2147483647)");
}

}  // namespace kelvane::host
