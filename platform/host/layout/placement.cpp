#include "platform/host/layout/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/host/units.h"

namespace kelvane::host::layout {

namespace {

float ToTwips(int pixels) { return static_cast<float>(PixelsToTwips(pixels)); }

}  // namespace

int TwipsToPixel(double twips) { return static_cast<int>(std::lround(TwipsToPixels(twips))); }

TwipsSize OuterSizeTwips(const QWidget& window) {
  const QSize outer = window.frameGeometry().size();
  return {ToTwips(outer.width()), ToTwips(outer.height())};
}

TwipsSize ScreenSizeTwips(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize size = screen->geometry().size();
  return {ToTwips(size.width()), ToTwips(size.height())};
}

void MoveTwips(QWidget& window, float left, float top) {
  // QWidget::move places the frame's corner for a top-level window, which is what Left/Top mean.
  window.move(TwipsToPixel(left), TwipsToPixel(top));
}

}  // namespace kelvane::host::layout
