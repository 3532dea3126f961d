#pragma once
// The drawing of each button style in its up, down and disabled look, from just after the face fill
// to just before the picture. The style table (style_traits.cpp) says which function draws which style.
#include <cstdint>

#include "controls/button/paint_options.h"
#include "controls/button/style_canvas.h"

namespace kelvane::controls {

// Draws the button's style in order; a style without a drawing draws nothing.
void PaintStyle(Look look, const PaintOptions& in, StyleCanvas& canvas);

// The shade of gradient row y (1 to height) for a darkening of k levels over the height. The step is
// held in single precision, as the rows have always been drawn with it, and halves go to the even
// neighbour. A height of 0 or less gives 0.
std::int32_t GradientAmount(std::int32_t k, std::int32_t height, std::int32_t y);

namespace styles {

void PaintDoubleBevel(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintPushButton(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintFlatOutlined(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintSoftBevel(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintRingedFlat(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintHoverRingFlat(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintHoverBevelFlat(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintSelection(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintFaceOnly(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintTransparent(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintOval(Look look, const PaintOptions& in, StyleCanvas& canvas);
// Drawn row by row and with rounded outlines (gradient_styles.cpp).
void PaintGradient(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintRounded(Look look, const PaintOptions& in, StyleCanvas& canvas);
void PaintGlossy(Look look, const PaintOptions& in, StyleCanvas& canvas);

}  // namespace styles
}  // namespace kelvane::controls
