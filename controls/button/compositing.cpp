#include "controls/button/compositing.h"

#include <cmath>
#include <optional>
#include <vector>

#include "controls/button/colors.h"
#include "platform/gdi/draw.h"
#include "platform/host/errors.h"

namespace kelvane::controls {

namespace {

constexpr int kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;
constexpr int kDarkOnlyLimit = 384;  // R + G + B above this is a light pixel

constexpr std::int32_t KeyOf(Bgr p) {
  return std::int32_t{p.r} + std::int32_t{p.g} * 256 + std::int32_t{p.b} * 65536;
}

constexpr Bgr BytesOf(std::int32_t colour) {
  return Bgr{static_cast<std::uint8_t>((colour >> 16) & 0xFF),
             static_cast<std::uint8_t>((colour >> 8) & 0xFF), static_cast<std::uint8_t>(colour & 0xFF)};
}

constexpr std::uint8_t TwoToOne(std::uint8_t picture, std::uint8_t background) {
  return static_cast<std::uint8_t>((2 * picture + background) / 3);
}

}  // namespace

std::uint8_t GreyLevel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const double q = host::RoundHalfEven(0.3 * r);
  // At most 76 + 150.45 + 28.05, so the level always fits a byte.
  return static_cast<std::uint8_t>(host::RoundHalfEven(q + 0.59 * g + 0.11 * b));
}

Bgr ComposePixel(Bgr picture, Bgr background, const CompositeRules& rules) {
  if (KeyOf(picture) == rules.MaskColour) return background;
  if (rules.Tint >= 0) {
    if (rules.DarkOnly && picture.r + picture.g + picture.b > kDarkOnlyLimit) return background;
    return BytesOf(rules.Tint);
  }
  if (rules.Greyscale) {
    const std::uint8_t grey = GreyLevel(picture.r, picture.g, picture.b);
    return Bgr{grey, grey, grey};
  }
  if (rules.Blend) {
    return Bgr{TwoToOne(picture.b, background.b), TwoToOne(picture.g, background.g),
               TwoToOne(picture.r, background.r)};
  }
  return picture;
}

std::optional<std::int64_t> PictureRowStride(std::int32_t width) {
  if (width < 0) return std::nullopt;
  return gdi::DibStride(width, kBitsPerPixel);
}

gdi::BitmapInfo PictureBitmapInfo(std::int32_t width, std::int32_t height) {
  gdi::BitmapInfo info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  return info;
}

bool ComposePicture(std::span<std::uint8_t> background, std::span<const std::uint8_t> picture,
                    std::int32_t width, std::int32_t height, const CompositeRules& rules) {
  if (width <= 0 || height <= 0) return false;
  const std::int64_t stride = *PictureRowStride(width);
  const std::int64_t bytes = stride * height;
  if (static_cast<std::int64_t>(background.size()) < bytes ||
      static_cast<std::int64_t>(picture.size()) < bytes)
    return false;
  for (std::int64_t row = 0; row < height; ++row) {
    std::uint8_t* bg = background.data() + row * stride;
    const std::uint8_t* pic = picture.data() + row * stride;
    for (std::int64_t col = 0; col < width; ++col, bg += kBytesPerPixel, pic += kBytesPerPixel) {
      const Bgr out = ComposePixel(Bgr{pic[0], pic[1], pic[2]}, Bgr{bg[0], bg[1], bg[2]}, rules);
      bg[0] = out.b;
      bg[1] = out.g;
      bg[2] = out.r;
    }
  }
  return true;
}

void BlitPicture(gdi::Dc& target, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                 const host::Picture& picture, std::int32_t maskColour, std::int32_t tint, bool darkOnly,
                 bool greyscale, bool blend, const PictureMaskProperties& properties) {
  // A negative size would make negative buffer lengths; it draws nothing, as 0 does.
  if (width <= 0 || height <= 0) return;

  gdi::Dc source = gdi::CreateCompatibleDC(target);
  std::optional<gdi::ScopedSelect<gdi::Bitmap>> sourceSelected;
  if (picture.type() == host::PictureType::Bitmap) {
    sourceSelected.emplace(source, gdi::Bitmap::fromImage(picture.image()));
  } else {
    const gdi::Bitmap sourceBitmap = gdi::CreateCompatibleBitmap(target, width, height);
    if (sourceBitmap.isNull()) return;
    sourceSelected.emplace(source, sourceBitmap);
    // A system colour is turned into its RGB value, as the mask colour itself is, so that the
    // icon's transparent parts match it and drop out.
    gdi::Brush brush = gdi::CreateSolidBrush(
        static_cast<gdi::ColorRef>(TranslateSystemColor(properties.MaskColor, properties.Palette)));
    gdi::FillRect(source, gdi::Rect{0, 0, width, height}, brush);
    gdi::DeleteObject(brush);
    gdi::DrawIconEx(source, 0, 0, picture.image(), 0, 0, 0, gdi::Brush{}, gdi::DI_NORMAL);
  }

  gdi::Dc backgroundDc = gdi::CreateCompatibleDC(source);
  gdi::Dc pictureDc = gdi::CreateCompatibleDC(source);
  gdi::Bitmap backgroundBitmap = gdi::CreateCompatibleBitmap(target, width, height);
  gdi::Bitmap pictureBitmap = gdi::CreateCompatibleBitmap(target, width, height);
  // Without both work bitmaps the buffers would hold nothing read, and writing them back would
  // paint a black block.
  if (backgroundBitmap.isNull() || pictureBitmap.isNull()) return;
  const gdi::ScopedSelect<gdi::Bitmap> backgroundSelected(backgroundDc, backgroundBitmap);
  const gdi::ScopedSelect<gdi::Bitmap> pictureSelected(pictureDc, pictureBitmap);

  gdi::BitBlt(backgroundDc, 0, 0, width, height, target, x, y, gdi::SRCCOPY);
  gdi::BitBlt(pictureDc, 0, 0, width, height, source, 0, 0, gdi::SRCCOPY);

  const gdi::BitmapInfo info = PictureBitmapInfo(width, height);
  const auto bytes = static_cast<std::size_t>(*PictureRowStride(width) * height);
  std::vector<std::uint8_t> backgroundBits(bytes);
  std::vector<std::uint8_t> pictureBits(bytes);
  const auto lines = static_cast<unsigned>(height);
  gdi::GetDIBits(backgroundDc, backgroundBitmap, 0, lines, backgroundBits, info, gdi::DIB_RGB_COLORS);
  gdi::GetDIBits(pictureDc, pictureBitmap, 0, lines, pictureBits, info, gdi::DIB_RGB_COLORS);

  const CompositeRules rules{properties.UseMaskColor ? maskColour : -1, tint, darkOnly, greyscale, blend};
  ComposePicture(backgroundBits, pictureBits, width, height, rules);

  gdi::SetDIBitsToDevice(target, x, y, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                         0, 0, 0, lines, backgroundBits, info, gdi::DIB_RGB_COLORS);
}

}  // namespace kelvane::controls
