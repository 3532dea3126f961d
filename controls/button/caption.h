#pragma once
// The button's caption: where it goes beside, above, below or over the picture, and how it is drawn
// in each caption mode with its shaded effect copies. Plain functions over plain inputs, so the
// button, the picture painter and tests share one layout.
#include <QFont>
#include <QString>
#include <cstdint>
#include <vector>

#include "controls/button/paint_options.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/text.h"

namespace kelvane::controls {

// Measuring wraps the caption to the layout width; drawing centres each line in its rectangle. The
// vertical centring flag does nothing for wrapped text: the measure places the caption vertically.
inline constexpr unsigned kCaptionMeasureFormat = gdi::DT_CALCRECT | gdi::DT_WORDBREAK;
inline constexpr unsigned kCaptionDrawFormat = gdi::DT_WORDBREAK | gdi::DT_VCENTER | gdi::DT_CENTER;

// Where the picture sits relative to the caption.
inline constexpr std::int32_t kPictureLeft = 0;
inline constexpr std::int32_t kPictureRight = 1;
inline constexpr std::int32_t kPictureAbove = 2;
inline constexpr std::int32_t kPictureBelow = 3;
inline constexpr std::int32_t kPictureBehind = 4;

// What the measure reads. Picture sizes are those of PictureNormal, 0 without one.
struct CaptionMeasureInputs {
  QString Caption;
  QFont Font;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  std::int32_t PictureWidth = 0;
  std::int32_t PictureHeight = 0;
  std::int32_t PicturePosition = kPictureLeft;
  // Either picture set; without one the picture keeps its place.
  bool HasPicture = false;
};

// The rectangle the caption is wrapped in before measuring. An unknown position keeps the caption
// where the last measure put it (`previousCaption`): starting from the pressed rectangle instead would
// walk the caption a pixel right and down at every measure.
gdi::Rect CaptionLayoutRect(std::int32_t picturePosition, std::int32_t clientWidth, std::int32_t clientHeight,
                            std::int32_t pictureWidth, std::int32_t pictureHeight,
                            const gdi::Rect& previousCaption);

// How far the measured caption moves to sit centred in what the picture leaves free; (0, 0) for an
// unknown position.
gdi::Point CaptionCentring(std::int32_t picturePosition, std::int32_t clientWidth, std::int32_t clientHeight,
                           std::int32_t pictureWidth, std::int32_t pictureHeight, const gdi::Rect& measured);

// The picture's top-left corner around a measured caption; `previous` without any picture or for
// an unknown position. A caption of nothing but spaces, or a picture behind it, puts the picture in
// the middle of the button.
gdi::Point PlacePicture(const CaptionMeasureInputs& in, const gdi::Rect& captionRect, gdi::Point previous);

// Wraps and measures the caption in the font, centres it, and places the picture around it; what
// the inputs leave open comes from the previous layout. Run it after any change of what it reads;
// painting does not.
CaptionLayout MeasureCaption(const CaptionMeasureInputs& in, const CaptionLayout& previous = {});

// The caption's text for a screen finer than the surface. Drawn into the surface, it would reach a
// scaled screen enlarged pixel by pixel: blocky, with doubled stems. Kept here instead, it is drawn
// over the enlarged surface by the widget's painter, at the screen's own pixels, in drawing order.
class CaptionOverlay {
 public:
  void Clear() { runs_.clear(); }
  bool Empty() const { return runs_.empty(); }
  // The text as DrawTextA would draw it on `dc`: its font, in `colour`, at `rect`.
  void Add(const gdi::Dc& dc, const QString& text, const gdi::Rect& rect, gdi::ColorRef colour);
  void Paint(QPainter& painter) const;
  bool operator==(const CaptionOverlay&) const = default;

 private:
  struct Run {
    QFont Font;
    QString Text;
    gdi::Rect Rect;
    gdi::ColorRef Colour = 0;
    bool operator==(const Run&) const = default;
  };
  std::vector<Run> runs_;
};

// The caption's text in `colour` at `rect`: on the context, or kept in `overlay` when there is one.
void DrawCaptionText(gdi::Dc& dc, CaptionOverlay* overlay, const QString& caption, gdi::Rect rect,
                     gdi::ColorRef colour);

// The shaded copies of the caption around `rect` that SpecialEffect asks for, drawn before the
// caption so that it covers them.
void PaintCaptionEffect(gdi::Dc& dc, const PaintOptions& in, const gdi::Rect& rect,
                        CaptionOverlay* overlay = nullptr);

// Draws the caption in the given mode at its place in the layout, in the context's current font, and
// leaves the mode in `lastCaptionMode`, so the picture painter can draw the same caption again over a
// picture. A mode outside the known ones draws in the context's current text colour. With an overlay
// the text goes there instead of onto the context.
void PaintCaption(gdi::Dc& dc, const PaintOptions& in, std::uint8_t captionMode,
                  std::uint8_t& lastCaptionMode, CaptionOverlay* overlay = nullptr);

}  // namespace kelvane::controls
