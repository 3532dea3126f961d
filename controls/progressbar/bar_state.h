#pragma once
// The progress bar's painting state and the arithmetic behind it, free of any window.
#include <array>
#include <cstdint>

namespace kelvane::controls {

inline constexpr int kLookSlots = 3;  // tail, middle and block pictures of one look
inline constexpr int kTailSlot = 0;
inline constexpr int kMiddleSlot = 1;
inline constexpr int kBlockSlot = 2;
inline constexpr int kLookCount = 8;

inline constexpr int kBorder = 3;       // frame thickness on every side
inline constexpr int kTrackTop = 3;     // top of every block and marquee segment
inline constexpr int kFirstBlockX = 4;  // one pixel clear of the frame
inline constexpr int kBlockPitch = 10;  // 8-pixel blocks with 2-pixel gaps
inline constexpr int kMarqueeStep = 5;
inline constexpr int kMarqueeRestartX = 2;  // after a wrap the tail covers the frame's inner column
inline constexpr double kPercent = 0.01;
inline constexpr double kFullScale = 100.0;
inline constexpr std::int32_t kFullScaleMax = 100;  // the Max at which the accepted level tracks Value

struct BarState {
  float BarWidth = 0;           // surface scale width at the last reset
  float BlockHeight = 0;        // track height
  float BlockWidth = 0;         // width of the look's tail picture
  float BlockSourceHeight = 0;  // height of the look's tail picture
  std::int32_t NextBlockX = kFirstBlockX;
  std::int16_t StepCount = 0;  // range units the painted extent may cover
  float AcceptedLevel = 0;     // Value must reach Min + this before blocks advance
  std::int32_t LastValue = 0;
  std::int32_t PendingValue = 0;
  bool PendingReset = false;
  bool BarFull = false;
  float LastBlockWidth = 0;
  std::int32_t MarqueeX = kFirstBlockX;
  friend bool operator==(const BarState&, const BarState&) = default;
};

// Conversions to the 16-bit counters: out-of-range values saturate instead of failing, since a
// bar wider than 32,767 units or steps can't show more than a full bar anyway.
std::int16_t SaturateToInt16(std::int64_t v);
std::int16_t RoundToInt16(double v);  // round half to even, then saturate
std::int32_t SaturateToInt32(std::int64_t v);

// Pixels of bar per range unit. A zero range has no unit to scale by: it yields 0 so no block
// is due. With Min == Max the only valid Value is Min, which has already cleared the bar.
double ExtentPerUnit(double barWidth, std::int16_t range);

// One of the nine copies that paint the frame.
struct FrameCopy {
  double x, y, w, h;   // destination, pixels
  int sx, sy, sw, sh;  // source rectangle in the frame picture
};
inline constexpr int kFrameSlices = 9;
// The nine copies, in painting order, for a surface of `scaleWidth` x `scaleHeight` pixels.
std::array<FrameCopy, kFrameSlices> FrameCopies(double scaleWidth, double scaleHeight);

}  // namespace kelvane::controls
