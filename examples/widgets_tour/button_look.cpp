// The self-test's checks of how the button looks beside QPushButton: it follows a palette set on it
// or its parent, the transparent style follows its container's new look, the caption is drawn at the
// screen's resolution (grab() and render() alike), and a capture that runs the event loop survives
// the button's deletion there.
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QGridLayout>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Kelvane::chameleonButton;

void check(bool ok, const QString& what);  // main.cpp

namespace {

QPalette withColour(QPalette palette, QPalette::ColorRole role, const QColor& colour) {
  palette.setColor(role, colour);
  return palette;
}

// Where the face shows: a captionless button's middle.
QRgb face(QWidget* w) {
  const QImage image = w->grab().toImage();
  return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
}

struct Panel {
  QWidget window;
  chameleonButton* plain = new chameleonButton(&window);
  QPushButton* stock = new QPushButton("&Stock", &window);
  chameleonButton* blank = new chameleonButton(&window);
  chameleonButton* clear = new chameleonButton(&window);  // style 11
  QPushButton* stockBlank = new QPushButton(&window);

  Panel() {
    window.setWindowTitle("Button look");
    window.setAutoFillBackground(true);
    plain->setCaption("Optimize &memory");
    blank->setCaption({});
    clear->setCaption("Transparent");
    clear->setButtonType(11);
    auto* grid = new QGridLayout(&window);
    grid->addWidget(plain, 0, 0);
    grid->addWidget(stock, 0, 1);
    grid->addWidget(blank, 1, 0);
    grid->addWidget(stockBlank, 1, 1);
    grid->addWidget(clear, 2, 0);
    window.show();
    QTest::qWaitForWindowExposed(&window);
  }
  void settle() { QTest::qWait(20); }
};

void checkPalettes(Panel& p) {
  const QColor green(0x20, 0x90, 0x40), blue(0x30, 0x40, 0xA0);
  p.window.setPalette(withColour(p.window.palette(), QPalette::Button, green));
  p.settle();
  check(face(p.blank) == green.rgb() % 0x1000000,
        QString("a palette set on the parent colours the face (%1; QPushButton's middle %2)")
            .arg(QColor(face(p.blank)).name(), QColor(face(p.stockBlank)).name()));
  p.blank->setPalette(withColour(p.blank->palette(), QPalette::Button, blue));
  p.settle();
  check(face(p.blank) == blue.rgb() % 0x1000000,
        QString("a palette set on the button colours its face (%1)").arg(QColor(face(p.blank)).name()));
  p.blank->setPalette(QPalette());
  p.blank->setAttribute(Qt::WA_SetPalette, false);
  p.window.setPalette(QPalette());
  p.window.setAttribute(Qt::WA_SetPalette, false);
}

void checkTransparent(Panel& p, const QString& saveAs) {
  const QColor before = p.window.palette().color(QPalette::Window);
  const QColor orange(0xE0, 0x80, 0x20);
  p.window.setPalette(withColour(p.window.palette(), QPalette::Window, orange));
  p.settle();
  const QImage image = p.clear->grab().toImage();
  check((image.pixel(2, image.height() / 2) & 0xFFFFFF) == orange.rgb() % 0x1000000,
        QString("style 11 shows its parent's new colour %1 (was %2)").arg(orange.name(), before.name()));
  p.window.setPalette(QPalette());
  p.window.setAttribute(Qt::WA_SetPalette, false);

  const QPalette light = QApplication::palette();
  QPalette dark = light;
  dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x24));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x36));
  dark.setColor(QPalette::ButtonText, Qt::white);
  QApplication::setPalette(dark);
  p.settle();
  if (!saveAs.isEmpty()) p.window.grab().save(saveAs);
  const QImage clearImage = p.clear->grab().toImage();
  check((clearImage.pixel(2, clearImage.height() / 2) & 0xFFFFFF) == 0x202024 && face(p.blank) == 0x303036,
        QString("a dark application palette: style 11 shows the dark window, the face is %1 "
                "(QPushButton's middle %2)")
            .arg(QColor(face(p.blank)).name(), QColor(face(p.stockBlank)).name()));
  QApplication::setPalette(light);
  p.settle();
}

// grab() and render() at the widget's own scale; and the caption finer than the logical pixels:
// the scale-1 drawing enlarged pixel by pixel is not what shows.
void checkScale(Panel& p, const QString& saveAs) {
  const qreal dpr = p.plain->devicePixelRatioF();
  if (!saveAs.isEmpty()) p.window.grab().save(saveAs);
  const QImage grabbed = p.plain->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage rendered(grabbed.size(), QImage::Format_RGB32);
  rendered.setDevicePixelRatio(dpr);
  rendered.fill(Qt::black);
  p.plain->render(&rendered);
  rendered.setDevicePixelRatio(1);
  check(rendered == grabbed, QString("at scale %1, grab() and render() give the same %2 x %3 pixels")
                                 .arg(dpr)
                                 .arg(grabbed.width())
                                 .arg(grabbed.height()));
  if (dpr == 1) return;
  QImage logical(p.plain->size(), QImage::Format_RGB32);
  p.plain->render(&logical);
  const QImage enlarged = logical.scaled(grabbed.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  int differing = 0;
  for (int y = 0; y < grabbed.height(); ++y)
    for (int x = 0; x < grabbed.width(); ++x) differing += grabbed.pixel(x, y) != enlarged.pixel(x, y);
  check(differing > grabbed.width(),
        QString("at scale %1 the caption is drawn at the screen's pixels: %2 differ from scale 1 enlarged")
            .arg(dpr)
            .arg(differing));
}

void checkDeletedWhileCapturing(Panel& p) {
  for (const bool byStyle : {false, true}) {
    QPointer<chameleonButton> b = new chameleonButton(&p.window);
    b->setButtonType(11);
    b->setGeometry(4, 4, 80, 24);
    b->show();
    p.settle();
    QTimer::singleShot(0, b, [b] { delete b.data(); });
    if (byStyle) {
      b->setButtonType(2);
      b->setButtonType(11);
    } else {
      b->Refresh();
    }
    check(b.isNull(), QString("a style-11 button deleted while %1 captures its background")
                          .arg(byStyle ? "becoming style 11" : "Refresh"));
  }
}

}  // namespace

void checkButtonLook(const QString& dir) {
  const auto saveAs = [&](const char* name) {
    return dir.isEmpty() ? QString() : QString("%1/%2@%3x.png").arg(dir, name).arg(qApp->devicePixelRatio());
  };
  Panel p;
  checkScale(p, saveAs("button-look"));
  checkPalettes(p);
  checkTransparent(p, saveAs("button-look-dark"));
  checkDeletedWhileCapturing(p);
}
