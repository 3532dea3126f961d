#pragma once
// Colours as the drawing operations take them: 0x00BBGGRR, red in the low byte.
#include <cstdint>

namespace kelvane::gdi {

using ColorRef = std::uint32_t;

// What GetPixel answers outside the surface.
inline constexpr ColorRef CLR_INVALID = 0xFFFFFFFFu;

constexpr ColorRef RGB(int r, int g, int b) {
  return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
         (static_cast<ColorRef>(b & 0xFF) << 16);
}
constexpr int GetRValue(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// A pixel word of a surface: 0xAARRGGBB, the layout of Qt's 32-bit images.
using Argb = std::uint32_t;

// Opaque pixel word from the low three bytes; the top byte (a system-colour flag) is not a channel.
constexpr Argb toQRgb(ColorRef c) {
  return 0xFF000000u | (static_cast<Argb>(GetRValue(c)) << 16) | (static_cast<Argb>(GetGValue(c)) << 8) |
         static_cast<Argb>(GetBValue(c));
}
constexpr ColorRef fromQRgb(Argb rgb) {
  return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
             static_cast<int>(rgb & 0xFF));
}

}  // namespace kelvane::gdi
