#pragma once
// Scale conversions between twips, pixels and HIMETRIC at 96 dots per inch.
namespace kelvane::host {

inline constexpr double kTwipsPerPixel = 15.0;            // 1440 / 96
inline constexpr double kHimetricPerPixel = 2540.0 / 96;  // 1/100 mm

constexpr double TwipsToPixels(double twips) { return twips / kTwipsPerPixel; }
constexpr double PixelsToTwips(double px) { return px * kTwipsPerPixel; }
constexpr double HimetricToPixels(double hm) { return hm / kHimetricPerPixel; }
constexpr double PixelsToHimetric(double px) { return px * kHimetricPerPixel; }

}  // namespace kelvane::host
