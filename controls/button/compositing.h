#pragma once
// How a button picture is laid over what is already drawn: one colour lets the background through,
// the rest is drawn as it is, in grey, as a one-colour silhouette (optionally its dark part only),
// or two parts picture to one part background. The arithmetic works on 24-bit device-independent
// rows so it can be tested without a device context.
#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/bits.h"
#include "platform/gdi/dc.h"
#include "platform/host/picture.h"

class QPalette;

namespace kelvane::controls {

// One pixel as a 24-bit device-independent row stores it.
struct Bgr {
  std::uint8_t b = 0;
  std::uint8_t g = 0;
  std::uint8_t r = 0;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

// What one composition does. The first rule that applies wins: mask, tint, greyscale, blend.
struct CompositeRules {
  std::int32_t MaskColour = -1;  // a picture pixel of exactly this plain RGB value stays transparent
  std::int32_t Tint = -1;        // 0 or more: every opaque pixel in this colour
  bool DarkOnly = false;         // with a tint: light pixels (R + G + B > 384) stay transparent
  bool Greyscale = false;
  bool Blend = false;
};

// 0.3 R rounded first, then plus 0.59 G + 0.11 B, rounded again; white gives 254.
std::uint8_t GreyLevel(std::uint8_t r, std::uint8_t g, std::uint8_t b);

Bgr ComposePixel(Bgr picture, Bgr background, const CompositeRules& rules);

// Bytes in one 24-bit row of `width` pixels, padded to 4; nullopt for a negative width.
std::optional<std::int64_t> PictureRowStride(std::int32_t width);

// The header both pixel buffers are read and written with: bottom-up, 24 bits, uncompressed.
gdi::BitmapInfo PictureBitmapInfo(std::int32_t width, std::int32_t height);

// Composes `picture` over `background` in place, row by row; the padding bytes are left as they are.
// Returns false, touching nothing, for a width or height ≤ 0 or a buffer shorter than its rows.
bool ComposePicture(std::span<std::uint8_t> background, std::span<const std::uint8_t> picture,
                    std::int32_t width, std::int32_t height, const CompositeRules& rules);

// The button properties the drawing reads besides its arguments.
struct PictureMaskProperties {
  bool UseMaskColor = true;
  std::int32_t MaskColor = 0xC0C0C0;  // an icon's transparent parts take this colour first
  const QPalette* Palette = nullptr;  // where a system MaskColor comes from; none: the application's
};

// Draws `picture` on `target` at (x, y), width × height, through the rules above, with one read of
// each surface and one write back. A bitmap picture is used as it is; any other type is drawn as an
// icon onto the mask colour. Nothing is drawn for a width or height ≤ 0.
void BlitPicture(gdi::Dc& target, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                 const host::Picture& picture, std::int32_t maskColour, std::int32_t tint, bool darkOnly,
                 bool greyscale, bool blend, const PictureMaskProperties& properties);

}  // namespace kelvane::controls
