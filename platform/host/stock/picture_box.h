#pragma once
// A picture box: a borderless container filled with its back colour.
#include <QWidget>
#include <cstdint>

#include "platform/host/stock/color.h"

namespace kelvane::host::stock {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  std::int32_t BackColor() const { return backColor_; }
  void setBackColor(std::int32_t color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::int32_t backColor_ = kColorButtonFace;
};

}  // namespace kelvane::host::stock
