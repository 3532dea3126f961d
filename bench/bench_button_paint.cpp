// One full repaint of a button the size of "Optimize" (93 x 26), in every style: colours, caption
// layout and the whole drawing, as Refresh does it. Then "Optimize" itself (style 3) repainted in
// its hover look and in its pressed look, reached through a real pointer move and press.
#include <benchmark/benchmark.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWindow>

#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_button_paint";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

using kelvane::controls::chameleonButton;

chameleonButton& ControlOf(Kelvane::chameleonButton& widget) {
  return *kelvane::host::ControlOf<chameleonButton>(&widget);
}

// A repaint from unchanged inputs over an untouched surface keeps what is there: writing access to
// the pixels (nothing is written) makes every Refresh draw in full.
void RefreshInFull(chameleonButton& button) {
  button.surface().image().bits();
  button.Refresh();
}

void SetUp(QWidget& widget, std::int32_t type) {
  chameleonButton& button = *kelvane::host::ControlOf<chameleonButton>(&widget);
  kelvane::host::AmbientProperties ambient;
  ambient.font = {"Verdana", 8.25, 400, false, false, false, 0};
  button.hostCreateNew(ambient);
  button.setButtonType(type);
  button.setColorScheme(2);
  button.setBackColor(0xFFFFFF);
  button.setBackOver(0xFFFFFF);
  button.setCaption(QStringLiteral("Optimize"));
  QResizeEvent ev(QSize(93, 26), widget.size());
  widget.resize(93, 26);
  QCoreApplication::sendEvent(&widget, &ev);
}

void BM_ButtonRefresh(benchmark::State& state) {
  App();
  Kelvane::chameleonButton widget;
  SetUp(widget, static_cast<std::int32_t>(state.range(0)));
  chameleonButton& button = ControlOf(widget);
  for (auto _ : state) RefreshInFull(button);
}
BENCHMARK(BM_ButtonRefresh)->DenseRange(1, kelvane::controls::kStyleCount)->Unit(benchmark::kMicrosecond);

// "Optimize" as a window of its own under the pointer.
void ShowUnderPointer(QWidget& button) {
  SetUp(button, 3);
  button.move(0, 0);
  button.show();
  for (int i = 0; i < 100 && !(button.windowHandle() && button.windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  QCursor::setPos(button.mapToGlobal(QPoint(46, 13)));
  QCoreApplication::processEvents();
  QMouseEvent move(QEvent::MouseMove, QPointF(46, 13), button.mapToGlobal(QPointF(46, 13)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&button, &move);
}

// The left edge line at (1, 10) tells the looks apart: the hover frame, the pressed edge.
bool Shows(chameleonButton& button, QRgb edge, benchmark::State& state, const char* look) {
  if ((button.surface().image().pixel(1, 10) | 0xFF000000u) == edge) return true;
  state.SkipWithError(look);
  return false;
}

void BM_HoverRepaint(benchmark::State& state) {
  App();
  Kelvane::chameleonButton widget;
  ShowUnderPointer(widget);
  chameleonButton& button = ControlOf(widget);
  if (!Shows(button, qRgb(255, 178, 49), state, "the pointer did not hover")) return;
  for (auto _ : state) RefreshInFull(button);
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMicrosecond);

void BM_PressedRepaint(benchmark::State& state) {
  App();
  Kelvane::chameleonButton widget;
  ShowUnderPointer(widget);
  chameleonButton& button = ControlOf(widget);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(46, 13), widget.mapToGlobal(QPointF(46, 13)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
  if (!Shows(button, qRgb(191, 191, 178), state, "the press did not show")) return;
  for (auto _ : state) RefreshInFull(button);
}
BENCHMARK(BM_PressedRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
