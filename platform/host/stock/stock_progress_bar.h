#pragma once
// The stock progress bar: a plain smooth bar over a single-precision range.
#include <QWidget>

namespace kelvane::host::stock {

class StockProgressBar : public QWidget {
  Q_OBJECT
 public:
  explicit StockProgressBar(QWidget* parent = nullptr);

  float Min() const { return min_; }
  float Max() const { return max_; }
  float Value() const { return value_; }
  // Each raises RuntimeError 380 "Invalid property value" and changes nothing when the result
  // would leave Min < Max and Min <= Value <= Max broken. Narrowing the range past Value pulls
  // Value along to the new bound instead.
  void setMin(float v);
  void setMax(float v);
  void setValue(float v);

  // How much of the range is filled, in whole percent rounded down; what screen readers hear.
  int WholePercent() const;

  // Whether the bar is shown once its window is; Qt's isVisible() is false until then.
  bool Visible() const { return !isHidden(); }

  // The width in pixels the filling takes inside a bar of inner width `inner`.
  static int FillWidth(float min, float max, float value, int inner);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QRect Inner() const;
  void showFill();
  void tellReaders();

  float min_ = 0.0f;
  float max_ = 100.0f;
  float value_ = 0.0f;
  int paintedFill_ = -1;  // the filling on screen; -1 before the first paint
  int toldPercent_ = -1;  // the share screen readers last heard of
};

}  // namespace kelvane::host::stock
