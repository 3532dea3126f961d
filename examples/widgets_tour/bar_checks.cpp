// The bar beside QProgressBar, as a program meets it: refusal handlers that delete the bar, slots
// reached by name, what a screen reader is told, and the pixels at the screen's scale. Built with
// QT_NO_KEYWORDS, as programs that use another signal library build, so the public headers must
// compile without Qt's keywords too.
#include <KelvaneWidgets/Xp_ProgressBar>
#include <QAccessible>
#include <QEventLoop>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#ifdef signals
#error "built without QT_NO_KEYWORDS: the public headers are not checked against it"
#endif

using Kelvane::Xp_ProgressBar;

void check(bool ok, const QString& what);

namespace {

QPointer<Xp_ProgressBar> refused;  // the bar the handler below is about

void deleteBar(const QString&, const QString&) { delete refused; }
// A modal box runs an event loop in the same place: a timer deletes the bar meanwhile.
void nestedLoop(const QString&, const QString&) {
  QEventLoop loop;
  refused->deleteLater();
  QTimer::singleShot(20, &loop, &QEventLoop::quit);
  loop.exec();
}

void checkRefusalHandlers() {
  using Handler = Xp_ProgressBar::RefusalHandler;
  const struct {
    const char* what;
    Handler handler;
  } handlers[] = {{"deletes the bar", deleteBar}, {"runs an event loop that deletes the bar", nestedLoop}};
  const struct {
    const char* call;
    void (*refuse)(Xp_ProgressBar*);
  } calls[] = {{"setValue(500)", [](Xp_ProgressBar* b) { b->setValue(500); }},
               {"setMin(-1)", [](Xp_ProgressBar* b) { b->setMin(-1); }},
               {"setRange(-5, 10)", [](Xp_ProgressBar* b) { b->setRange(-5, 10); }},
               {"setRange(10, 5)", [](Xp_ProgressBar* b) { b->setRange(10, 5); }}};
  QWidget host;
  host.resize(200, 60);
  host.show();
  for (const auto& h : handlers) {
    for (const auto& c : calls) {
      refused = new Xp_ProgressBar(&host);
      refused->show();
      const Handler previous = Xp_ProgressBar::installRefusalHandler(h.handler);
      c.refuse(refused);
      Xp_ProgressBar::installRefusalHandler(previous);
      check(refused.isNull(),
            QString("a refusal handler that %1, then %2: the program goes on").arg(h.what, c.call));
    }
  }
}

void checkSlots() {
  QSlider slider(Qt::Horizontal);
  Xp_ProgressBar bar;
  QProgressBar stock;
  for (QWidget* target : std::initializer_list<QWidget*>{&bar, &stock})
    QObject::connect(&slider, SIGNAL(valueChanged(int)), target, SLOT(setValue(int)));
  slider.setValue(30);
  check(bar.Value() == 30 && stock.value() == 30,
        QString("SIGNAL/SLOT by name: the slider moves the bar to %1 (QProgressBar %2)")
            .arg(bar.Value())
            .arg(stock.value()));
  const bool invoked = QMetaObject::invokeMethod(&bar, "setRange", Q_ARG(int, 10), Q_ARG(int, 50)) &&
                       QMetaObject::invokeMethod(&bar, "setValue", Q_ARG(int, 45));
  check(invoked && bar.Min() == 10 && bar.Max() == 50 && bar.Value() == 45,
        QString("invokeMethod setRange(10, 50), setValue(45): %1..%2, %3")
            .arg(bar.Min())
            .arg(bar.Max())
            .arg(bar.Value()));
  const bool reset = QMetaObject::invokeMethod(&bar, "reset");
  check(reset && bar.Value() == bar.Min(),
        QString("invokeMethod reset: Value back to Min, %1").arg(bar.Value()));
}

void checkReadOnly() {
  Xp_ProgressBar bar;
  QProgressBar stock;
  QAccessibleInterface* own = QAccessible::queryAccessibleInterface(&bar);
  QAccessibleInterface* theirs = QAccessible::queryAccessibleInterface(&stock);
  check(own && theirs && own->state().readOnly && own->state().readOnly == theirs->state().readOnly &&
            own->state().focusable == theirs->state().focusable,
        "a screen reader reads the bar as read-only and not focusable, as QProgressBar");
}

// The bar's device pixels along its middle row: runs of other colours than the empty track's,
// (start, width).
std::vector<std::pair<int, int>> blockRuns(const QImage& image, QRgb empty) {
  std::vector<std::pair<int, int>> runs;
  const int y = image.height() / 2;
  const int inner = int(image.devicePixelRatio() * 3 + 0.5);
  for (int x = inner; x < image.width() - inner; ++x) {
    if (image.pixel(x, y) == empty) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == x)
      ++runs.back().second;
    else
      runs.emplace_back(x, 1);
  }
  return runs;
}

void checkScaledPixels(const QString& dir) {
  QWidget window;
  auto* column = new QVBoxLayout(&window);
  auto* bar = new Xp_ProgressBar;
  auto* stock = new QProgressBar;
  column->addWidget(bar);
  column->addWidget(stock);
  window.resize(251, 60);
  for (int v = 0; v <= 60; ++v) bar->setValue(v);
  stock->setValue(60);
  window.show();
  QTest::qWaitForWindowExposed(&window);
  const double dpr = window.devicePixelRatio();
  const QImage grabbed = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage rendered(grabbed.size(), QImage::Format_RGB32);
  rendered.setDevicePixelRatio(dpr);
  rendered.fill(Qt::black);
  bar->render(&rendered);
  check(grabbed == rendered, QString("scale %1: grab() and render() give the bar's same pixels").arg(dpr));

  const QRgb empty = grabbed.pixel(grabbed.width() - grabbed.width() / 10, grabbed.height() / 2);
  const auto runs = blockRuns(grabbed, empty);
  bool even = runs.size() > 2;
  for (std::size_t i = 1; even && i + 1 < runs.size(); ++i)
    even = runs[i].second == runs[0].second &&
           runs[i].first - runs[i - 1].first == runs[1].first - runs[0].first;
  check(even, QString("scale %1: %2 blocks, evenly spaced, each %3 device pixels wide")
                  .arg(dpr)
                  .arg(runs.size())
                  .arg(runs.empty() ? 0 : runs[0].second));

  // The bar's frame ends where the bar does: the row below it is the window's, not a dark seam.
  const QImage shot = window.grab().toImage();
  const int below = int((bar->geometry().bottom() + 1) * dpr + 0.5);
  const QRgb background = shot.pixel(shot.width() - 2, below);
  bool clean = true;
  for (int x = int(bar->x() * dpr) + 1; x < int((bar->x() + bar->width()) * dpr) - 1; ++x)
    clean = clean && shot.pixel(x, below) == background;
  check(clean, QString("scale %1: no seam under the bar").arg(dpr));
  if (!dir.isEmpty()) shot.save(QString("%1/bar@%2x.png").arg(dir).arg(dpr));

  // A full bar: the last block runs to the frame, in the colour the first block has there.
  for (int v = 61; v <= 100; ++v) bar->setValue(v);
  const QImage full = bar->grab().toImage();
  const int y = full.height() / 2, trackEnd = int((bar->width() - 3) * dpr + 0.5);
  const QRgb block = full.pixel(runs.empty() ? 0 : runs[0].first, y);
  check(full.pixel(trackEnd - 1, y) == block && full.pixel(trackEnd, y) != block,
        QString("scale %1: a full bar's blocks reach the frame at %2").arg(dpr).arg(trackEnd));
}

}  // namespace

void checkBar(const QString& dir) {
  checkRefusalHandlers();
  checkSlots();
  checkReadOnly();
  checkScaledPixels(dir);
}
