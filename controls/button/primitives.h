#pragma once
// The button's six drawing operations. Each draws straight onto the device context it is given,
// keeps no state and leaves the context's pen and brush as it found them. Colours are plain RGB
// values and reach the drawing layer unchanged.
#include <cstdint>

#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/rect.h"

namespace kelvane::controls {

// Outlined (one pixel wide) when framed, filled otherwise; nothing for a width or height ≤ 0.
void PaintRect(gdi::Dc& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               gdi::ColorRef color, bool framed);

// Inscribed in the box, filled with brushColor and outlined with a 2-pixel pen of penColor.
void PaintEllipse(gdi::Dc& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  gdi::ColorRef penColor, gdi::ColorRef brushColor);

// One pixel wide, without the end point; the end point becomes the current position.
void PaintLine(gdi::Dc& dc, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
               gdi::ColorRef color);

// A bevel along the client edges: outer ring color1 (left, top) and color2 (right, bottom), then,
// unless singleRing, an inner ring color3 and color4. Inset 0 puts the outer ring on the outermost
// pixels, -1 one pixel in.
void PaintFrame(gdi::Dc& dc, std::int32_t clientWidth, std::int32_t clientHeight, gdi::ColorRef color1,
                gdi::ColorRef color2, gdi::ColorRef color3, gdi::ColorRef color4, std::int16_t inset,
                bool singleRing);

void PaintPixel(gdi::Dc& dc, std::int32_t x, std::int32_t y, gdi::ColorRef color);

// Where a button of this type shows its focus: the client rectangle inset and moved as its style's
// row says.
gdi::Rect ComputeFocusRect(std::int32_t buttonType, std::int32_t clientWidth, std::int32_t clientHeight);

// The dotted focus rectangle, only while the button has the focus and wants one to show. It is
// combined by exclusive or, so drawing it twice removes it.
void PaintFocusRect(gdi::Dc& dc, const gdi::Rect& focusRect, bool showFocusRect, bool hasFocus,
                    gdi::ColorRef textColor);

}  // namespace kelvane::controls
