#pragma once
// A progress bar painted from small pictures inside a rounded frame: a growing row of blocks
// (Style 0) or a marker that steps right on every assignment (any other Style).
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>

#include "controls/progressbar/bar_state.h"
#include "platform/host/control.h"
#include "platform/host/picture.h"

namespace kelvane::controls {

class Xp_ProgressBar : public host::Control {
  Q_OBJECT
 public:
  explicit Xp_ProgressBar(QWidget& widget);
  ~Xp_ProgressBar() override;

  std::int32_t Value() const { return value_; }
  void setValue(std::int32_t New_Value);
  std::int32_t Min() const { return min_; }
  void setMin(std::int32_t New_Mini);
  std::int32_t Max() const { return max_; }
  void setMax(std::int32_t New_Maxi);
  // Both bounds, in the order the new range gets through; an inverted range is refused as a Min
  // above Max.
  void setRange(std::int32_t New_Mini, std::int32_t New_Maxi);
  // Value back to Min and the bar empty, in either Style.
  void Reset();
  std::int32_t Style() const { return style_; }
  void setStyle(std::int32_t New_Style);
  std::int32_t ProgressLook() const { return progressLook_; }
  void setProgressLook(std::int32_t New_ProgressLook);

  // The painting state, read-only, for tools and tests.
  const BarState& State() const { return state_; }

 protected:
  void Initialize() override;
  void ReadProperties(const host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) override;
  void OnResize() override;
  void OnShow() override { shown_ = true; }
  void PaintPutOff() override;

 public:
  // On a scaled screen the bar draws its copies again at the screen's own pixels (blocks evenly
  // spaced, every edge on a whole pixel); at scale 1 it shows its surface as every control does.
  void paintEvent(QPaintEvent* e);
  // What the bar shows on a device of `dpr` device pixels per pixel: its copies drawn at that
  // scale, `DeviceSize(dpr)` pixels.
  QImage DeviceImage(double dpr);
  QSize DeviceSize(double dpr) const;

 private:
  void RepaintBar();
  void ResetBarState();
  void AdvanceBlocks();
  void PaintLastBlock();
  int BlockIndex() const;  // the place in the row of the block at NextBlockX
  void StepMarquee();
  void ApplyProgressLook();

  void SetDefaults();
  void ShowError(const char* message) const;
  // Copies the whole of a look picture (or blank) into a destination rectangle at the track's top.
  void PaintSegment(const host::Picture& pic, double x, double width);

  // Everything drawn since the bar was last cleared, oldest first: the surface is the background
  // with these copies over it. A bar nobody sees keeps its copies until its surface is read or
  // shown (a thousand bars given a Value before a window shows draw nothing), and a scaled screen
  // gets them drawn again at its own pixels.
  struct Copy {
    host::Picture pic;
    double x, y, w, h;
    int sx, sy, sw, sh;
    int block;         // the block's place in the row, or -1 for anything else
    bool toTrackEnd;   // the squeezed last block, which ends where the track does
    QRect cover = {};  // the pixels it fills at scale 1
  };
  void ClearBar();
  void CopyPicture(Copy copy);
  void DrawCopies();
  std::vector<Copy> copies_;
  std::size_t copiesOnSurface_ = 0;
  bool clearOnSurface_ = true;  // the surface's last clear was drawn
  std::uint64_t drawing_ = 0;   // counts changes to the copies, for the device image's cache
  QImage deviceImage_;
  std::uint64_t deviceDrawing_ = 0;

  std::int32_t value_ = 0;
  std::int32_t min_ = 0;
  std::int32_t max_ = 0;
  std::int32_t style_ = 0;
  std::int32_t progressLook_ = 0;

  host::Picture img_;                         // the frame, cut into nine slices
  host::Picture blank_;                       // the marquee's eraser
  std::array<host::Picture, kLookSlots> pc_;  // the current look's pictures
  BarState state_;

  // Everything a block-mode assignment paints from. An assignment that leaves the state as it found
  // it paints the same pixels as the last one (from a cleared bar, or the same opaque copies over
  // themselves), so the same assignment again is skipped: after a fall in Value the bar would
  // otherwise redraw itself whole on every tick.
  struct AdvanceInputs {
    BarState state;
    std::int32_t value, min, max;
    int width, height;
    std::array<std::uint32_t, kLookSlots + 1> pictures;
    friend bool operator==(const AdvanceInputs&, const AdvanceInputs&) = default;
  };
  AdvanceInputs CurrentAdvanceInputs() const;
  std::optional<AdvanceInputs> steadyAdvance_;
  bool shown_ = false;
};

}  // namespace kelvane::controls
