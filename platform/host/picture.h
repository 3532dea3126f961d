#pragma once
// A host picture object: a bitmap or an icon, with a handle and a size in HIMETRIC.
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

namespace kelvane::host {

enum class PictureType { None = 0, Bitmap = 1, Icon = 3 };

class Picture {
 public:
  Picture() = default;  // the empty picture
  static Picture fromBitmap(const QImage& pixels);
  // Icons keep their transparency in the alpha channel (the mask).
  static Picture fromIcon(const QImage& pixels);
  // Loads a resource or file; an unreadable one gives the empty picture.
  static Picture load(const QString& path, PictureType type);
  // As load, but a missing or unreadable resource raises RuntimeError 326 naming the path.
  static Picture loadResource(const QString& path, PictureType type);

  PictureType type() const;
  bool isNull() const { return !data_; }
  std::uint32_t handle() const;  // nonzero while a picture is held, unique per picture
  int widthPixels() const;
  int heightPixels() const;
  int widthHimetric() const;
  int heightHimetric() const;
  const QImage& image() const;  // an empty image for the empty picture

  friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

 private:
  struct Data;
  explicit Picture(std::shared_ptr<const Data> d) : data_(std::move(d)) {}
  std::shared_ptr<const Data> data_;
};

// Reads an image file or resource; a null image when it cannot be read. A ".png" is read as PNG
// first: asked to guess, Qt loads every image-format plugin on its first read, a few milliseconds
// at start-up. Whatever the file turns out to hold, it reads like QImage(path).
QImage ReadImageFile(const QString& path);

// Pixels to HIMETRIC at 96 dots per inch, rounded to the nearest whole unit.
int PixelsToHimetricRounded(int pixels);

}  // namespace kelvane::host
