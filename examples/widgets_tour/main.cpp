// Both controls laid out in code beside the Qt widgets they stand in for. Start counts the bars up,
// Stop holds them.
//   widgets_tour                    shows the window
//   widgets_tour --self-test [DIR]  checks sizes, the first paint, greying and deleting from every
//                                   handler; prints one line per check and saves grabs into DIR
#include <KelvaneWidgets/Xp_ProgressBar>
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

using Kelvane::chameleonButton;
using Kelvane::Xp_ProgressBar;

struct Tour {
  QWidget window;
  chameleonButton* start = new chameleonButton(&window);
  QPushButton* stop = new QPushButton("S&top", &window);
  Xp_ProgressBar* copied = new Xp_ProgressBar(&window);
  QProgressBar* checked = new QProgressBar(&window);
  chameleonButton* copyAll = new chameleonButton(&window);
  QPushButton* checkAll = new QPushButton("Check each copy against its original", &window);
  QTimer tick;

  Tour() {
    window.setWindowTitle("Widgets tour");
    start->setCaption("&Start");
    copyAll->setCaption("Copy every file to the backup folder, then check it");
    // A bar has no caption a screen reader could read.
    copied->setAccessibleName("Copied");
    checked->setAccessibleName("Checked");

    auto* grid = new QGridLayout;
    grid->addWidget(start, 0, 0);
    grid->addWidget(stop, 0, 1);
    grid->addWidget(copied, 1, 0);
    grid->addWidget(checked, 1, 1);
    auto* column = new QVBoxLayout(&window);
    column->addLayout(grid);
    column->addWidget(copyAll);
    column->addWidget(checkAll);
    column->addStretch();

    // The blocks follow Value one assignment at a time: count up to it.
    for (int value = 1; value <= 40; ++value) copied->setValue(value);
    checked->setValue(40);

    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, [this] {
      if (copied->Value() == copied->Max()) return tick.stop();
      copied->setValue(copied->Value() + 1);
      checked->setValue(copied->Value());
    });
    QObject::connect(start, &chameleonButton::clicked, &tick, qOverload<>(&QTimer::start));
    QObject::connect(stop, &QPushButton::clicked, &tick, &QTimer::stop);
  }
};

// The self-test.

void checkButtonLook(const QString& dir);  // button_look.cpp

int passed = 0, failed = 0;

void check(bool ok, const QString& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", qPrintable(what));
  ++(ok ? passed : failed);
}

// Some pixel of the bar's left quarter, along its middle, differs from its empty right end.
bool showsBlocks(Xp_ProgressBar* bar) {
  const QImage image = bar->grab().toImage();
  const int y = image.height() / 2;
  const QRgb empty = image.pixel(image.width() * 9 / 10, y);
  for (int x = image.width() / 20; x < image.width() / 4; ++x)
    if (image.pixel(x, y) != empty) return true;
  return false;
}

struct Sizes {
  int barWidth;
};

Sizes checkSizes(Tour& t, const char* at, const QString& saveAs) {
  QTest::qWait(50);  // the layout settles
  if (!saveAs.isEmpty()) t.window.grab().save(saveAs);
  bool drawable = true;
  for (QWidget* w :
       std::initializer_list<QWidget*>{t.start, t.stop, t.copied, t.checked, t.copyAll, t.checkAll})
    drawable = drawable && !w->size().isEmpty();
  check(drawable, QString("%1 window (%2 x %3): every widget has a size")
                      .arg(at)
                      .arg(t.window.width())
                      .arg(t.window.height()));
  check(t.start->height() == t.start->sizeHint().height() &&
            t.copyAll->height() == t.copyAll->sizeHint().height(),
        QString("%1: the buttons keep their hint's height, %2 (QPushButton %3)")
            .arg(at)
            .arg(t.start->height())
            .arg(t.stop->height()));
  check(t.copied->height() == 17, QString("%1: the bar is 17 high (QProgressBar %2), %3 wide")
                                      .arg(at)
                                      .arg(t.checked->height())
                                      .arg(t.copied->width()));
  const int captionWidth = t.copyAll->fontMetrics().horizontalAdvance(t.copyAll->Caption());
  check(t.copyAll->width() > captionWidth, QString("%1: the long caption (%2) fits its button (%3)")
                                               .arg(at)
                                               .arg(captionWidth)
                                               .arg(t.copyAll->width()));
  return {t.copied->width()};
}

template <typename Control, typename... Args>
void deleteOn(Control* control, void (Control::*signal)(Args...)) {
  QObject::connect(control, signal, [control](Args...) { delete control; });
}

const QPoint kInside(20, 10);

void clickOn(QPointer<chameleonButton> b) {
  QTest::mousePress(b, Qt::LeftButton, {}, kInside);
  if (b) QTest::mouseRelease(b, Qt::LeftButton, {}, kInside);
}
// The button follows the pointer itself: it comes from outside, moves over the button and leaves.
void moveOverAndOut(QPointer<chameleonButton> b) {
  const QPoint away = b->window()->mapToGlobal(QPoint(190, 70));
  QCursor::setPos(away);
  QCursor::setPos(b->mapToGlobal(kInside));
  QMouseEvent move(QEvent::MouseMove, kInside, b->mapToGlobal(kInside), Qt::NoButton, Qt::NoButton, {});
  QApplication::sendEvent(b, &move);
  if (b) QCursor::setPos(away);
}
void typeA(QPointer<chameleonButton> b) {
  QTest::keyPress(b, Qt::Key_A);
  if (b) QTest::keyRelease(b, Qt::Key_A);
}

struct ButtonDeletion {
  const char* signal;
  void (*connect)(chameleonButton*);
  void (*input)(QPointer<chameleonButton>);
};
const ButtonDeletion kButtonDeletions[] = {
    {"Click", [](chameleonButton* b) { deleteOn(b, &chameleonButton::Click); }, clickOn},
    {"clicked", [](chameleonButton* b) { deleteOn(b, &chameleonButton::clicked); }, clickOn},
    {"MouseDown", [](chameleonButton* b) { deleteOn(b, &chameleonButton::MouseDown); }, clickOn},
    {"MouseUp", [](chameleonButton* b) { deleteOn(b, &chameleonButton::MouseUp); }, clickOn},
    {"MouseMove", [](chameleonButton* b) { deleteOn(b, &chameleonButton::MouseMove); }, moveOverAndOut},
    {"MouseOver", [](chameleonButton* b) { deleteOn(b, &chameleonButton::MouseOver); }, moveOverAndOut},
    {"MouseOut", [](chameleonButton* b) { deleteOn(b, &chameleonButton::MouseOut); }, moveOverAndOut},
    {"KeyDown", [](chameleonButton* b) { deleteOn(b, &chameleonButton::KeyDown); }, typeA},
    {"KeyPress", [](chameleonButton* b) { deleteOn(b, &chameleonButton::KeyPress); }, typeA},
    {"KeyUp", [](chameleonButton* b) { deleteOn(b, &chameleonButton::KeyUp); }, typeA},
};

struct BarDeletion {
  const char* signal;
  void (*connect)(Xp_ProgressBar*);
  void (*change)(Xp_ProgressBar*);
};
const BarDeletion kBarDeletions[] = {
    {"valueChanged", [](Xp_ProgressBar* b) { deleteOn(b, &Xp_ProgressBar::valueChanged); },
     [](Xp_ProgressBar* b) { b->setValue(1); }},
    {"MinChanged", [](Xp_ProgressBar* b) { deleteOn(b, &Xp_ProgressBar::MinChanged); },
     [](Xp_ProgressBar* b) { b->setMin(1); }},
    {"MaxChanged", [](Xp_ProgressBar* b) { deleteOn(b, &Xp_ProgressBar::MaxChanged); },
     [](Xp_ProgressBar* b) { b->setMax(50); }},
    {"StyleChanged", [](Xp_ProgressBar* b) { deleteOn(b, &Xp_ProgressBar::StyleChanged); },
     [](Xp_ProgressBar* b) { b->setStyleIndex(1); }},
    {"ProgressLookChanged", [](Xp_ProgressBar* b) { deleteOn(b, &Xp_ProgressBar::ProgressLookChanged); },
     [](Xp_ProgressBar* b) { b->setProgressLook(3); }},
};

// Each control alone in a window, so the pointer and the keys reach it alone.
template <typename Control>
QPointer<Control> shownAlone(QWidget& host) {
  auto* control = new Control(&host);
  control->setGeometry(10, 10, 120, 26);
  control->show();
  control->setFocus();
  return control;
}

int selfTest(Tour& t, const QString& dir) {
  const auto grabName = [&](const char* state) {
    return dir.isEmpty() ? QString()
                         : QString("%1/%2@%3x.png").arg(dir, state).arg(t.window.devicePixelRatio());
  };
  QTest::qWaitForWindowExposed(&t.window);
  check(showsBlocks(t.copied), "the bar's Value, set before the window showed, is drawn at the first show");
  if (!dir.isEmpty()) t.window.grab().save(grabName("first"));

  t.window.resize(1, 1);
  const Sizes least = checkSizes(t, "least", grabName("least"));
  t.window.resize(1200, 600);
  const Sizes large = checkSizes(t, "large", grabName("large"));
  check(large.barWidth - least.barWidth > (1200 - t.window.minimumWidth()) / 3,
        QString("the bar widens with the window: %1 to %2").arg(least.barWidth).arg(large.barWidth));

  const QSize before = t.copyAll->sizeHint();
  const QFont font = t.copyAll->font();
  QFont larger = font;
  larger.setPointSizeF(font.pointSizeF() * 2);
  t.copyAll->setFont(larger);
  t.copyAll->setCaption(t.copyAll->Caption() + " twice");
  QTest::qWait(50);
  const QSize after = t.copyAll->sizeHint();
  const int captionWidth = t.copyAll->fontMetrics().horizontalAdvance(t.copyAll->Caption());
  check(
      after.width() > captionWidth && after.height() > before.height() && t.copyAll->width() >= after.width(),
      QString(
          "a larger font and a longer caption: hint %1 x %2 to %3 x %4, the caption %5 wide, the button %6")
          .arg(before.width())
          .arg(before.height())
          .arg(after.width())
          .arg(after.height())
          .arg(captionWidth)
          .arg(t.copyAll->width()));
  if (!dir.isEmpty()) t.window.grab().save(grabName("larger-font"));
  t.copyAll->setFont(font);

  const QImage enabled = t.start->grab().toImage();
  t.window.setEnabled(false);
  check(!t.start->isEnabled() && t.start->grab().toImage() != enabled,
        "a disabled parent greys the button and isEnabled() is false");
  if (!dir.isEmpty()) t.window.grab().save(grabName("disabled"));
  t.window.setEnabled(true);
  t.window.hide();  // the pointer finds the scratch windows below alone

  QWidget host;
  host.resize(200, 80);
  host.show();
  QTest::qWaitForWindowExposed(&host);
  for (const ButtonDeletion& c : kButtonDeletions) {
    QPointer<chameleonButton> button = shownAlone<chameleonButton>(host);
    c.connect(button);
    c.input(button);
    QTest::qWaitFor([&] { return button.isNull(); }, 1000);
    check(button.isNull(), QString("a %1 handler deletes the button").arg(c.signal));
  }
  for (const BarDeletion& c : kBarDeletions) {
    QPointer<Xp_ProgressBar> bar = shownAlone<Xp_ProgressBar>(host);
    c.connect(bar);
    c.change(bar);
    QTest::qWait(10);
    check(bar.isNull(), QString("a %1 handler deletes the bar").arg(c.signal));
  }
  void checkButtonInput();  // button_input_checks.cpp
  checkButtonInput();

  checkButtonLook(dir);
  void checkBar(const QString& dir);
  checkBar(dir);  // bar_checks.cpp
  std::printf("widgets_tour: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Tour tour;
  tour.window.show();
  if (app.arguments().value(1) != "--self-test") return app.exec();
  return selfTest(tour, app.arguments().value(2));
}
