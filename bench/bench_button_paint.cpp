// One full repaint of a button the size of "Optimize" (93 x 26), in every style: colours, caption
// layout and the whole drawing, as Refresh does it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QResizeEvent>

#include "controls/button/chameleon_button.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_button_paint";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

void BM_ButtonRefresh(benchmark::State& state) {
  App();
  kelvane::controls::chameleonButton button;
  kelvane::host::AmbientProperties ambient;
  ambient.font = {"Verdana", 8.25, 400, false, false, false, 0};
  button.hostCreateNew(ambient);
  button.setButtonType(static_cast<std::int32_t>(state.range(0)));
  button.setColorScheme(2);
  button.setBackColor(0xFFFFFF);
  button.setCaption(QStringLiteral("Optimize"));
  QResizeEvent ev(QSize(93, 26), button.size());
  button.resize(93, 26);
  QCoreApplication::sendEvent(&button, &ev);
  for (auto _ : state) button.Refresh();
}
BENCHMARK(BM_ButtonRefresh)->DenseRange(1, 14)->Unit(benchmark::kMicrosecond);

}  // namespace
