#pragma once
// A host picture object: a bitmap or an icon, with a handle and a size in HIMETRIC.
#include <QImage>
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

  PictureType type() const;
  bool isNull() const { return !data_; }
  std::uint32_t handle() const;  // nonzero while a picture is held
  int widthPixels() const;
  int heightPixels() const;
  int widthHimetric() const;
  int heightHimetric() const;
  const QImage& image() const;  // an empty image for the empty picture

  friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

 private:
  struct Data;
  std::shared_ptr<const Data> data_;
};

}  // namespace kelvane::host
