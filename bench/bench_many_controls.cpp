// A thousand controls made, shown in one window and destroyed, beside Qt's stock widgets doing the
// same; and the heap a thousand captioned controls take before they are ever shown. Offscreen
// unless QT_QPA_PLATFORM says otherwise (run it under xvfb-run with QT_QPA_PLATFORM=xcb to count
// what reaching a screen costs).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <KelvaneWidgets/Xp_ProgressBar>
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <vector>

namespace {

constexpr int kCount = 1000;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_many_controls";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: at exit Qt's own globals may already be gone, and its input devices with them.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Heap in use, large blocks too: a surface is allocated before anything touches its pages, so the
// resident size would miss it.
long HeapKiB() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

QWidget* MakeButton(QWidget* parent) {
  auto* b = new Kelvane::chameleonButton(parent);
  b->setCaption(QStringLiteral("Optimize"));
  return b;
}
QWidget* MakeStockButton(QWidget* parent) { return new QPushButton(QStringLiteral("Optimize"), parent); }
// Buttons alike share their drawing; these are each measured and drawn on their own.
QString NextCaption() {
  static int made = 0;
  return QStringLiteral("Button %1").arg(++made);
}
QWidget* MakeOwnCaptionButton(QWidget* parent) {
  auto* b = new Kelvane::chameleonButton(parent);
  b->setCaption(NextCaption());
  return b;
}
QWidget* MakeOwnCaptionStockButton(QWidget* parent) { return new QPushButton(NextCaption(), parent); }
QWidget* MakeBar(QWidget* parent) {
  auto* bar = new Kelvane::Xp_ProgressBar(parent);
  bar->setValue(40);
  return bar;
}
QWidget* MakeStockBar(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setValue(40);
  return bar;
}

// Forty to a row, each at the size the window gives "Optimize" (a bar at its default 150 x 17).
void ShowAndDestroy(benchmark::State& state, QWidget* (*make)(QWidget*)) {
  App();
  for (auto _ : state) {
    auto window = std::make_unique<QWidget>();
    window->resize(40 * 96, (kCount / 40) * 29);
    for (int i = 0; i < kCount; ++i) make(window.get())->setGeometry((i % 40) * 96, (i / 40) * 29, 93, 26);
    window->show();
    QCoreApplication::processEvents();
    window.reset();
    QCoreApplication::processEvents();
  }
  state.counters["controls/s"] =
      benchmark::Counter(double(kCount), benchmark::Counter::kIsIterationInvariantRate);
}

// Made without a parent, as a program does before putting them in a layout.
void NeverShown(benchmark::State& state, QWidget* (*make)(QWidget*)) {
  App();
  long grown = 0;
  for (auto _ : state) {
    const long before = HeapKiB();
    std::vector<std::unique_ptr<QWidget>> made;
    for (int i = 0; i < kCount; ++i) made.emplace_back(make(nullptr));
    grown = HeapKiB() - before;
  }
  state.counters["KiB/control"] = double(grown) / kCount;
}

BENCHMARK_CAPTURE(ShowAndDestroy, chameleonButton, MakeButton)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAndDestroy, QPushButton, MakeStockButton)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAndDestroy, chameleonButton_own_captions, MakeOwnCaptionButton)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAndDestroy, QPushButton_own_captions, MakeOwnCaptionStockButton)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAndDestroy, Xp_ProgressBar, MakeBar)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAndDestroy, QProgressBar, MakeStockBar)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NeverShown, chameleonButton, MakeButton)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NeverShown, QPushButton, MakeStockButton)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NeverShown, Xp_ProgressBar, MakeBar)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NeverShown, QProgressBar, MakeStockBar)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
