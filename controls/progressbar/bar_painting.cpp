// How the bar paints: incrementally, onto the control's persistent surface.
#include <cmath>
#include <exception>

#include "controls/progressbar/bar_pictures.h"
#include "controls/progressbar/xp_progressbar.h"

namespace kelvane::controls {

namespace {

constexpr double kBorderPair = 2.0 * kBorder;
constexpr int kHeadOffset = 2 * kMarqueeStep;
constexpr int kMarkerLength = 4 * kMarqueeStep;  // tail start to the head's far side
constexpr double kHalf = 0.5;

// Source rectangles are whole pixels of the picture, as PaintPicture rounds them.
int Whole(double v) { return static_cast<int>(std::lround(v)); }

// The frame is painted step by step; a step that fails (a missing picture) must not keep the
// remaining steps or the state reset from running.
template <typename Step>
void IgnoringFailure(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
    // Deliberately dropped: the bar still ends in a consistent, reset state.
  }
}

}  // namespace

void Xp_ProgressBar::PaintSegment(const host::Picture& pic, double x, double width) {
  CopyPicture({pic, x, kTrackTop, width, state_.BlockHeight, 0, 0, Whole(state_.BlockWidth),
               Whole(state_.BlockSourceHeight), -1, false});
}

void Xp_ProgressBar::RepaintBar() {
  IgnoringFailure([this] {
    setScaleMode(host::ScaleUnit::Pixels);
    ClearBar();
  });
  for (const FrameCopy& c : FrameCopies(ScaleWidth(), ScaleHeight()))
    IgnoringFailure([&] { CopyPicture({img_, c.x, c.y, c.w, c.h, c.sx, c.sy, c.sw, c.sh, -1, false}); });
  state_.MarqueeX = kFirstBlockX;
  IgnoringFailure([this] { ResetBarState(); });
}

void Xp_ProgressBar::ResetBarState() {
  state_.NextBlockX = kFirstBlockX;
  if (state_.PendingReset) {
    // Levels count from Min everywhere else too; restarting from the bare value would leave the
    // bar empty after a decrease whenever Min is above 0.
    const std::int64_t level = std::int64_t{state_.PendingValue} - min_;
    state_.AcceptedLevel = static_cast<float>(level);
    state_.StepCount = SaturateToInt16(level);
    state_.PendingReset = false;
  } else {
    const std::int64_t level = std::int64_t{value_} - min_;
    state_.AcceptedLevel = static_cast<float>(level);
    state_.StepCount = SaturateToInt16(level);
    state_.LastValue = SaturateToInt32(level);
  }
  state_.BarWidth = static_cast<float>(ScaleWidth());
  state_.BlockHeight = static_cast<float>(ScaleHeight() - kBorderPair);
  state_.BlockWidth = static_cast<float>(pc_[kTailSlot].widthPixels());
  state_.BlockSourceHeight = static_cast<float>(pc_[kTailSlot].heightPixels());
  state_.BarFull = false;
}

void Xp_ProgressBar::AdvanceBlocks() {
  if (state_.NextBlockX == kFirstBlockX) RepaintBar();
  if (value_ < state_.LastValue) {
    state_.PendingValue = value_;
    state_.PendingReset = true;
    RepaintBar();
  } else {
    state_.LastValue = value_;
  }
  if (value_ <= min_) RepaintBar();

  const std::int16_t range = SaturateToInt16(std::int64_t{max_} - min_);
  double unitStep = range * kPercent;
  if (value_ > 0 && max_ != kFullScaleMax) unitStep = 0;
  if (value_ < min_ + static_cast<double>(state_.AcceptedLevel)) return;
  state_.AcceptedLevel = static_cast<float>(state_.AcceptedLevel + unitStep);

  const double perUnit = ExtentPerUnit(state_.BarWidth, range);
  while (state_.NextBlockX < perUnit * state_.StepCount) {
    if (state_.NextBlockX + kBlockPitch >= state_.BarWidth) PaintLastBlock();
    if (state_.BarFull) break;
    CopyPicture({pc_[kBlockSlot], double(state_.NextBlockX), kTrackTop, state_.BlockWidth, state_.BlockHeight,
                 0, 0, Whole(state_.BlockWidth), Whole(state_.BlockSourceHeight), BlockIndex(), false});
    state_.NextBlockX += kBlockPitch;
  }
  state_.StepCount = SaturateToInt16(std::int64_t{state_.StepCount} + 1);
}

int Xp_ProgressBar::BlockIndex() const { return (state_.NextBlockX - kFirstBlockX) / kBlockPitch; }

void Xp_ProgressBar::PaintLastBlock() {
  state_.LastBlockWidth =
      static_cast<float>((static_cast<double>(state_.BarWidth) - kBorder) - state_.NextBlockX);
  if (state_.LastBlockWidth > 0)
    CopyPicture({pc_[kBlockSlot], double(state_.NextBlockX), kTrackTop, state_.LastBlockWidth,
                 state_.BlockHeight, 0, 0, Whole(state_.BlockWidth), Whole(state_.BlockSourceHeight),
                 BlockIndex(), true});
  // NextBlockX stays put, so a later pass squeezes this same block again.
  state_.BarFull = true;
}

void Xp_ProgressBar::StepMarquee() {
  steadyAdvance_.reset();
  const std::int32_t p = state_.MarqueeX;
  const double segment = state_.BlockWidth * kHalf;
  const double width = state_.BarWidth;
  if (p != kMarqueeRestartX && p != kFirstBlockX) PaintSegment(blank_, p - kMarqueeStep, segment);
  if (p + kMarkerLength < width) PaintSegment(pc_[kBlockSlot], p + kHeadOffset, segment);
  if (p + kHeadOffset < width) PaintSegment(pc_[kMiddleSlot], p + kMarqueeStep, segment);
  if (p + kMarqueeStep < width) PaintSegment(pc_[kTailSlot], p, segment);
  if (p + kMarqueeStep >= width) {
    const std::int16_t rest = RoundToInt16(width - kBorder - p);
    if (rest > 0) PaintSegment(blank_, p, rest);
    state_.MarqueeX = kMarqueeRestartX;
  } else {
    state_.MarqueeX = p + kMarqueeStep;
  }
}

void Xp_ProgressBar::ApplyProgressLook() {
  const auto look = LookPicturesFor(progressLook_);
  if (!look) return;  // unknown looks keep the pictures in use
  for (int slot = 0; slot < kLookSlots; ++slot) pc_[slot] = (*look)[slot];
}

}  // namespace kelvane::controls
