#include "controls/progressbar/bar_pictures.h"

#include <QHash>
#include <mutex>

// Resources in a static library are registered only when asked for; this must sit outside any
// namespace.
static void InitBarPictureResources() {
  static std::once_flag once;
  std::call_once(once, [] { Q_INIT_RESOURCE(progressbar_pictures); });
}

namespace kelvane::controls {

namespace {

constexpr const char* kLookNames[kLookCount] = {"master", "blue",    "bluemet",   "goldmet",
                                                "grmet",  "greymet", "orangemet", "redmet"};

// Decoded once and shared: every bar holds the same immutable pictures. A missing one is a broken
// build and raises the host's resource error.
host::Picture Cached(const QString& stem) {
  InitBarPictureResources();
  static QHash<QString, host::Picture> cache;
  auto it = cache.find(stem);
  if (it == cache.end())
    it = cache.insert(stem, host::Picture::loadResource(BarPicturePath(stem), host::PictureType::Bitmap));
  return *it;
}

}  // namespace

QString BarPicturePath(const QString& stem) {
  return QStringLiteral(":/progressbar/pictures/%1.png").arg(stem);
}

std::optional<QString> LookName(std::int32_t look) {
  if (look < 0 || look >= kLookCount) return std::nullopt;
  return QString::fromLatin1(kLookNames[look]);
}

host::Picture FramePicture() {
  static const host::Picture frame = Cached(QStringLiteral("img"));
  return frame;
}
host::Picture BlankPicture() {
  static const host::Picture blank = Cached(QStringLiteral("blank"));
  return blank;
}

std::optional<LookPictures> LookPicturesFor(std::int32_t look) {
  if (look < 0 || look >= kLookCount) return std::nullopt;
  // Every bar asks for look 0 as it is made: found by index, not by name.
  static std::array<std::optional<LookPictures>, kLookCount> looks;
  auto& set = looks[static_cast<std::size_t>(look)];
  if (!set) {
    const auto name = LookName(look);
    LookPictures pictures;
    for (int slot = 0; slot < kLookSlots; ++slot)
      pictures[slot] = Cached(QStringLiteral("%1_%2").arg(*name).arg(slot));
    set = pictures;
  }
  return set;
}

}  // namespace kelvane::controls
