// Start fills the blocks bar; Marquee, a check box, keeps the marker moving; Quit ends.
// With --self-test the program clicks its own buttons and prints what it saw.
#include <KelvaneWidgets/Xp_ProgressBar>
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "ui_demo.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  Ui::Demo ui;
  ui.setupUi(&window);

  QTimer tick;
  tick.setInterval(50);
  const auto step = [&] {
    if (ui.blocks->Value() < ui.blocks->Max()) ui.blocks->setValue(ui.blocks->Value() + 1);
    if (ui.marquee->Value()) ui.steps->setValue(0);
  };
  QObject::connect(&tick, &QTimer::timeout, step);
  QObject::connect(ui.start, &Kelvane::chameleonButton::clicked, [&] {
    ui.blocks->setValue(0);
    tick.start();
  });
  QObject::connect(ui.marquee, &Kelvane::chameleonButton::ValueChanged, [&](bool on) {
    if (on) tick.start();
  });
  QObject::connect(ui.quit, &Kelvane::chameleonButton::Click, &app, &QApplication::quit);
  window.show();

  if (argc > 1 && std::strcmp(argv[1], "--self-test") == 0) {
    QTimer::singleShot(0, [&] {
      emit ui.start->clicked();
      for (int i = 0; i < 30; ++i) step();
      std::printf("version %s, blocks %d of %d, marquee style %d, quit type %d\n",
                  qPrintable(Kelvane::chameleonButton::Version()), ui.blocks->Value(), ui.blocks->Max(),
                  ui.steps->Style(), ui.quit->ButtonType());
      emit ui.quit->Click();
    });
  }
  return app.exec();
}
