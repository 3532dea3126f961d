#pragma once
// Window placement in twips, as a form's load handler works with it.
#include <QWidget>
#include <functional>

namespace kelvane::host::layout {

struct TwipsSize {
  float width = 0;
  float height = 0;
};

// The window's outer size, frame included once it has one.
TwipsSize OuterSizeTwips(const QWidget& window);
// The screen the window is on (the primary screen before it is shown).
TwipsSize ScreenSizeTwips(const QWidget& window);
// Moves the outer top-left corner; the twips are turned into pixels only here.
void MoveTwips(QWidget& window, float left, float top);

// Runs `place` once more as soon as the window system first reports a frame around the shown window.
// A placement made before showing sees only the client size, so under a window manager it lands off by
// half the frame. Watching stops at that correction, or at the first paint without a frame (no window
// manager framed it, and any later move is the user's).
void PlaceAgainWhenFramed(QWidget& window, std::function<void()> place);

// Nearest whole pixel for a twips coordinate, halves away from zero.
int TwipsToPixel(double twips);

}  // namespace kelvane::host::layout
