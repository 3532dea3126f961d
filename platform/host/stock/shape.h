#pragma once
// A rectangle shape with a 1-pixel outline; a graphical control.
#include <QWidget>
#include <cstdint>

#include "platform/host/stock/color.h"

namespace kelvane::host::stock {

enum class FillStyle { Solid = 0, Transparent = 1 };

class Shape : public QWidget {
  Q_OBJECT
 public:
  explicit Shape(QWidget* parent = nullptr);

  std::int32_t FillColor() const { return fillColor_; }
  void setFillColor(std::int32_t color);
  stock::FillStyle FillStyle() const { return fillStyle_; }
  void setFillStyle(stock::FillStyle style);
  std::int32_t BorderColor() const { return borderColor_; }
  void setBorderColor(std::int32_t color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::int32_t fillColor_ = 0;
  stock::FillStyle fillStyle_ = stock::FillStyle::Transparent;
  std::int32_t borderColor_ = kColorWindowText;
};

}  // namespace kelvane::host::stock
