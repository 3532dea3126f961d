#pragma once
// A timer: ticks every Interval milliseconds while Enabled and Interval > 0. Not a window.
#include <QObject>
#include <QTimer>

namespace kelvane::host::stock {

inline constexpr int kMaxTimerInterval = 65535;

class Timer : public QObject {
  Q_OBJECT
 public:
  explicit Timer(QObject* parent = nullptr);

  int Interval() const { return interval_; }
  // 0 stops the ticks; outside 0..65535 raises RuntimeError 380 and changes nothing.
  void setInterval(int ms);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool on);

 signals:
  void Tick();

 private:
  void restart();

  QTimer timer_;
  int interval_ = 0;
  bool enabled_ = true;
};

}  // namespace kelvane::host::stock
