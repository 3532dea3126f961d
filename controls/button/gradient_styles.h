#pragma once
// The styles drawn row by row and with rounded outlines (3, 4 and 14); PaintStyle dispatches to them.
#include "controls/button/styles.h"

namespace kelvane::controls::styles {

void PaintGradientStyle(Look look, const StyleInputs& in, StyleCanvas& canvas);  // 3
void PaintRoundedStyle(Look look, const StyleInputs& in, StyleCanvas& canvas);   // 4
void PaintGlossyStyle(Look look, const StyleInputs& in, StyleCanvas& canvas);    // 14

}  // namespace kelvane::controls::styles
