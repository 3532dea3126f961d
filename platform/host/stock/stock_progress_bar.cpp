#include "platform/host/stock/stock_progress_bar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/host/errors.h"
#include "platform/host/stock/reader_events.h"

namespace kelvane::host::stock {

namespace {

const QColor kTrough(0xE6, 0xE6, 0xE6);
const QColor kBorder(0xBC, 0xBC, 0xBC);
const QColor kFill(0x06, 0xB0, 0x25);
constexpr int kBorderWidth = 1;

[[noreturn]] void Reject() { throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value"); }

}  // namespace

StockProgressBar::StockProgressBar(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void StockProgressBar::setMin(float v) {
  if (!std::isfinite(v) || v >= max_) Reject();
  min_ = v;
  value_ = std::max(value_, min_);
  showFill();
  tellReaders();
}

void StockProgressBar::setMax(float v) {
  if (!std::isfinite(v) || v <= min_) Reject();
  max_ = v;
  value_ = std::min(value_, max_);
  showFill();
  tellReaders();
}

void StockProgressBar::setValue(float v) {
  // NaN fails every comparison, so it is refused explicitly.
  if (!std::isfinite(v) || v < min_ || v > max_) Reject();
  value_ = v;
  showFill();
  tellReaders();
}

int StockProgressBar::WholePercent() const {
  return static_cast<int>(std::floor(100.0 * (double(value_) - min_) / (double(max_) - min_)));
}

void StockProgressBar::tellReaders() {
  // A release counts tens of thousands of steps: readers hear of each whole percent once, and nothing
  // is built while no reader listens.
  if (!ReadersHearOf(*this)) return;
  const int percent = WholePercent();
  if (percent == toldPercent_) return;
  toldPercent_ = percent;
  QAccessibleValueChangeEvent changed(this, double(value_));
  QAccessible::updateAccessibility(&changed);
}

QRect StockProgressBar::Inner() const {
  return rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
}

void StockProgressBar::showFill() {
  // Like a native bar: painted at once, so it counts even while a caller holds the event loop,
  // and only when the filling moves by a pixel, so a long count costs a few hundred paints.
  // A hidden bar paints its filling when it shows, and one outside the client area (the window's
  // working bar, set every tick) when it comes into view: both get a paint event of their own.
  const int fill = FillWidth(min_, max_, value_, Inner().width());
  if (!isVisible() || fill == paintedFill_) return;
  paintedFill_ = fill;
  if (!visibleRegion().isEmpty()) repaint();
}

int StockProgressBar::FillWidth(float min, float max, float value, int inner) {
  if (inner <= 0 || !(max > min)) return 0;
  const double share = (static_cast<double>(value) - min) / (static_cast<double>(max) - min);
  return std::clamp(static_cast<int>(std::lround(share * inner)), 0, inner);
}

void StockProgressBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kBorder);
  const QRect inner = Inner();
  const int fill = FillWidth(min_, max_, value_, inner.width());
  paintedFill_ = fill;
  if (inner.isEmpty()) return;
  p.fillRect(inner, kTrough);
  if (fill > 0) p.fillRect(QRect(inner.left(), inner.top(), fill, inner.height()), kFill);
}

}  // namespace kelvane::host::stock
