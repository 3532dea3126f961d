#pragma once
// Pixel transfers: copies between contexts, device-independent rows in and out, icons.
#include <QImage>
#include <cstdint>
#include <span>

#include "platform/gdi/dc.h"

namespace kelvane::gdi {

enum class RasterOp : std::uint32_t { SrcCopy = 0x00CC0020 };
inline constexpr RasterOp SRCCOPY = RasterOp::SrcCopy;

// Copies w × h pixels exactly; parts outside either context are left alone. Source and
// destination may be the same context and overlap.
bool BitBlt(Dc& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, Dc& src, std::int32_t sx,
            std::int32_t sy, RasterOp rop);

inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr unsigned DIB_RGB_COLORS = 0;
inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

struct BitmapInfoHeader {
  std::uint32_t biSize = kBitmapInfoHeaderSize;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;  // positive: bottom-up rows; negative: top-down
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 24;
  std::uint32_t biCompression = BI_RGB;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};
struct BitmapInfo {
  BitmapInfoHeader bmiHeader;
};

// Bytes in one row of a device-independent bitmap: padded to a multiple of 4.
constexpr std::int64_t DibStride(std::int64_t width, int bitCount) {
  return ((width * bitCount + 31) / 32) * 4;
}

// Reads scan lines [start, start + lines) of the bitmap (line 0 is the bottom row for a bottom-up
// header) into `bits` as 24- or 32-bit blue-green-red pixels. Pixels beyond the bitmap read as 0.
// Returns the lines copied; 0 for an unsupported header or a buffer too small for them.
int GetDIBits(Dc& dc, const Bitmap& bitmap, unsigned start, unsigned lines, std::span<std::uint8_t> bits,
              const BitmapInfo& info, unsigned usage);

// Writes the source rectangle (xSrc, ySrc, w, h), in the bitmap's own coordinates (from the bottom
// for a bottom-up header), to (x, y). `bits` holds scan lines [start, start + lines).
// Returns the lines set; 0 for an unsupported header or a buffer too small for them.
int SetDIBitsToDevice(Dc& dc, std::int32_t x, std::int32_t y, std::uint32_t w, std::uint32_t h,
                      std::int32_t xSrc, std::int32_t ySrc, unsigned start, unsigned lines,
                      std::span<const std::uint8_t> bits, const BitmapInfo& info, unsigned usage);

inline constexpr unsigned DI_MASK = 0x1;
inline constexpr unsigned DI_IMAGE = 0x2;
inline constexpr unsigned DI_NORMAL = DI_MASK | DI_IMAGE;

// Draws an icon (ARGB pixels, alpha as its mask) at (x, y), scaled to cx × cy unless both are 0.
// DI_NORMAL composes it over the existing pixels; DI_MASK alone darkens what the icon covers;
// DI_IMAGE alone copies its colours.
bool DrawIconEx(Dc& dc, std::int32_t x, std::int32_t y, const QImage& icon, std::int32_t cx, std::int32_t cy,
                unsigned step, const Brush& flickerFree, unsigned flags);

}  // namespace kelvane::gdi
