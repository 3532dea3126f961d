#pragma once
// The drawing of each button style in its up, down and disabled look, from just after the face fill
// to just before the picture.
#include <cstdint>

#include "controls/button/colors.h"
#include "controls/button/style_canvas.h"
#include "platform/gdi/rect.h"

namespace kelvane::controls {

enum class Look { Up, Down, Disabled };

// What the styles read of the button during one paint.
struct StyleInputs {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  SchemeColors Colors;  // the working colours of this paint (the hover face already swapped in)
  std::int32_t ColorScheme = 1;
  bool SoftBevel = false;
  bool IsOver = false;
  bool HasFocus = false;
  bool ShowFocusRect = false;
  gdi::Rect CaptionRect;
  std::int32_t CaptionWidth = 0;
  std::int32_t CaptionHeight = 0;
};

// Draws the style in order; a type outside 1 to 14 draws nothing.
void PaintStyle(std::int32_t buttonType, Look look, const StyleInputs& in, StyleCanvas& canvas);

// The shade of gradient row y (1 to height) for a darkening of k levels over the height. The step is
// held in single precision, as the rows have always been drawn with it, and halves go to the even
// neighbour. A height of 0 or less gives 0.
std::int32_t GradientAmount(std::int32_t k, std::int32_t height, std::int32_t y);

}  // namespace kelvane::controls
