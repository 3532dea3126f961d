#pragma once
// Colours as the drawing operations take them: 0x00BBGGRR, red in the low byte.
#include <QRgb>
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

// Opaque QRgb from the low three bytes; the top byte (a system-colour flag) is not a channel.
constexpr QRgb toQRgb(ColorRef c) {
  return 0xFF000000u | (static_cast<QRgb>(GetRValue(c)) << 16) | (static_cast<QRgb>(GetGValue(c)) << 8) |
         static_cast<QRgb>(GetBValue(c));
}
constexpr ColorRef fromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

}  // namespace kelvane::gdi
