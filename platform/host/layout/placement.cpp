#include "platform/host/layout/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <utility>

#include "platform/host/units.h"

namespace kelvane::host::layout {

namespace {

float ToTwips(int pixels) { return static_cast<float>(PixelsToTwips(pixels)); }

class FrameWatch final : public QObject {
 public:
  FrameWatch(QWidget& window, std::function<void()> place)
      : QObject(&window), window_(window), place_(std::move(place)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != &window_) return false;
    const QEvent::Type type = e->type();
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && type != QEvent::Paint)
      return false;
    const bool framed = window_.frameGeometry() != window_.geometry();
    if (!framed && type != QEvent::Paint) return false;
    window_.removeEventFilter(this);
    deleteLater();
    if (framed) place_();
    return false;
  }

 private:
  QWidget& window_;
  std::function<void()> place_;
};

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

void PlaceAgainWhenFramed(QWidget& window, std::function<void()> place) {
  new FrameWatch(window, std::move(place));
}

}  // namespace kelvane::host::layout
