// A window of 50 buttons and 50 bars in a grid layout, from nothing to its first frame and closed
// again, beside the same window of QPushButton and QProgressBar. Offscreen unless QT_QPA_PLATFORM
// says otherwise (under xvfb-run with QT_QPA_PLATFORM=xcb it counts reaching a screen too).
#include <benchmark/benchmark.h>

#include <KelvaneWidgets/Xp_ProgressBar>
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

namespace {

constexpr int kRows = 10, kPerRow = 5;  // five of each control to a row

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_first_frame";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // never destroyed, as Qt's globals may go first
  return *app;
}

// Told when the widget is first painted: the last one laid out is painted last.
struct PaintSeen : QObject {
  bool seen = false;
  bool eventFilter(QObject*, QEvent* e) override {
    seen = seen || e->type() == QEvent::Paint;
    return false;
  }
};

struct KelvaneControls {
  static QWidget* Button(QWidget* parent) {
    auto* b = new Kelvane::chameleonButton(parent);
    b->setCaption(QStringLiteral("Optimize"));
    return b;
  }
  static QWidget* Bar(QWidget* parent) {
    auto* bar = new Kelvane::Xp_ProgressBar(parent);
    bar->setValue(40);
    return bar;
  }
};

struct StockWidgets {
  static QWidget* Button(QWidget* parent) { return new QPushButton(QStringLiteral("Optimize"), parent); }
  static QWidget* Bar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setValue(40);
    return bar;
  }
};

template <class Controls>
void ToFirstFrame(benchmark::State& state) {
  App();
  for (auto _ : state) {
    auto window = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(window.get());
    QWidget* last = nullptr;
    for (int row = 0; row < kRows; ++row)
      for (int i = 0; i < kPerRow; ++i) {
        grid->addWidget(Controls::Button(window.get()), row, 2 * i);
        grid->addWidget(last = Controls::Bar(window.get()), row, 2 * i + 1);
      }
    PaintSeen painted;
    last->installEventFilter(&painted);
    window->show();
    while (!painted.seen) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    last->removeEventFilter(&painted);
    window.reset();
    QCoreApplication::processEvents();
  }
}

BENCHMARK_TEMPLATE(ToFirstFrame, KelvaneControls)
    ->Name("FirstFrame/Kelvane")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(ToFirstFrame, StockWidgets)
    ->Name("FirstFrame/stock")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
