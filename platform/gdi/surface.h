#pragma once
// A control's persistent drawing surface: what is painted stays until painted over.
#include <QColor>
#include <QImage>
#include <QSize>

namespace kelvane::gdi {

class Surface {
 public:
  Surface() = default;
  explicit Surface(QSize size, QRgb background = 0xFFFFFFFF);

  // Keeps the pixels that still fit; new area takes the background colour.
  void resize(QSize size);
  // Fills the whole surface with the background colour (the host's clear).
  void clear();
  // Shows pixels drawn elsewhere, of this surface's size, until the next write copies them.
  void share(const QImage& pixels) { image_ = pixels; }

  QRgb background() const { return background_; }
  void setBackground(QRgb rgb) { background_ = rgb; }

  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  QSize size() const { return image_.size(); }

  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

  QRgb pixel(int x, int y) const { return image_.pixel(x, y) | 0xFF000000u; }

 private:
  QImage image_;
  QRgb background_ = 0xFFFFFFFF;
};

}  // namespace kelvane::gdi
