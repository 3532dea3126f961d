#pragma once
// An image: shows a picture at its own size; a graphical control.
#include <QWidget>

#include "platform/host/picture.h"

namespace kelvane::host::stock {

class Image : public QWidget {
  Q_OBJECT
 public:
  explicit Image(QWidget* parent = nullptr);

  host::Picture Picture() const { return picture_; }
  // Resizes the control to the picture; the empty picture leaves the size alone.
  void setPicture(const host::Picture& picture);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  host::Picture picture_;
};

}  // namespace kelvane::host::stock
