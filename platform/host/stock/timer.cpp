#include "platform/host/stock/timer.h"

#include "platform/host/errors.h"

namespace kelvane::host::stock {

Timer::Timer(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
}

void Timer::setInterval(int ms) {
  if (ms < 0 || ms > kMaxTimerInterval)
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  interval_ = ms;
  restart();
}

void Timer::setEnabled(bool on) {
  enabled_ = on;
  restart();
}

void Timer::restart() {
  // Any change starts a fresh interval, so a re-enabled timer waits a whole period.
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(interval_);
}

}  // namespace kelvane::host::stock
