#pragma once
// What one paint of the button reads, built once per paint from its properties and state and handed
// alike to the style's drawing, the caption and the picture plan.
#include <QString>
#include <cstdint>

#include "controls/button/colors.h"
#include "controls/button/style_traits.h"
#include "platform/gdi/rect.h"

namespace kelvane::controls {

enum class Look { Up, Down, Disabled };

// How the caption is drawn: its colours, its shaded copies and its place.
enum CaptionMode : std::uint8_t {
  kCaptionUp = 0,
  kCaptionOver = 1,
  kCaptionDown = 2,
  kCaptionEngraved = 3,  // a light copy below right under a shadow-coloured caption
  kCaptionGreyed = 4,
  kCaptionLiftedDisabled = 5,
  kCaptionGlossyDisabled = 6,
  kCaptionGlossyDown = 7,
};

// Where the last measure put the caption and the picture.
struct CaptionLayout {
  gdi::Rect CaptionRect;         // the up look
  gdi::Rect PressedCaptionRect;  // the down look: one pixel right and down
  std::int32_t CaptionWidth = 0;
  std::int32_t CaptionHeight = 0;
  std::int32_t PictureLeft = 0;
  std::int32_t PictureTop = 0;
  friend bool operator==(const CaptionLayout&, const CaptionLayout&) = default;
};

struct PaintOptions {
  std::int32_t ButtonType = 2;
  std::int32_t ColorScheme = 1;
  SchemeColors Colors;  // the working colours of this paint (the hover face already swapped in)
  bool SoftBevel = false;
  std::int32_t SpecialEffect = 0;  // 1 raised, 2 sunken, 3 or more shadow; below 1 none
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint8_t State = 0;  // the state the paint was asked for: 0 up, 2 down
  bool IsOver = false;
  bool HasFocus = false;
  bool ShowFocusRect = false;
  QString Caption;
  CaptionLayout Layout;
  bool HasPictureNormal = false;
  bool HasPictureOver = false;
  bool UseGreyscale = false;

  const StyleTraits& Traits() const { return TraitsOf(ButtonType); }
  friend bool operator==(const PaintOptions&, const PaintOptions&) = default;
};

}  // namespace kelvane::controls
