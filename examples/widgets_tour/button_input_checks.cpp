// The button beside QPushButton where a Qt program meets its input: dialogs that close on Escape and
// press their default button on Return, access keys shared with stock widgets, QTest hover, slots
// driven by name, and handlers that delete the button on the new ways in. Built with
// QT_NO_KEYWORDS (see CMakeLists.txt), so the public header is checked to compile that way too.
#include <KelvaneWidgets/chameleonButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using Kelvane::chameleonButton;

void check(bool ok, const QString& what);

namespace {

// A dialog holding the button "&Save", a stock "&Stop" and an "OK" default button, shown and active
// so that its shortcuts are live.
struct Dialog {
  QDialog dialog;
  chameleonButton* save = new chameleonButton(&dialog);
  QPushButton* stop = new QPushButton("&Stop", &dialog);
  QPushButton* ok = new QPushButton("OK", &dialog);
  QSignalSpy saved{save, &chameleonButton::clicked};
  QSignalSpy stopped{stop, &QPushButton::clicked};

  Dialog() {
    save->setCaption("&Save");
    save->setGeometry(10, 10, 93, 26);
    stop->setGeometry(110, 10, 93, 26);
    ok->setGeometry(210, 10, 93, 26);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.resize(320, 80);
    dialog.show();
    QTest::qWaitForWindowActive(&dialog);
    save->setFocus();
  }
  void alt(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier); }
  // Two presses of Alt+S give the focus to `a` and `b`, in either order, and click the button not.
  bool focusesInTurn(QWidget* a, QWidget* b) {
    alt(Qt::Key_S);
    QWidget* first = QApplication::focusWidget();
    alt(Qt::Key_S);
    QWidget* second = QApplication::focusWidget();
    return ((first == a && second == b) || (first == b && second == a)) && saved.isEmpty();
  }
};

void checkDialogKeys() {
  {
    Dialog d;
    QTest::keyClick(d.save, Qt::Key_Escape);
    check(d.dialog.result() == QDialog::Rejected && d.dialog.isHidden(),
          "Escape on the focused button closes its dialog, as on a QPushButton");
  }
  {
    Dialog d;
    QTest::keyClick(d.save, Qt::Key_Return);
    check(d.dialog.result() == QDialog::Accepted && d.saved.isEmpty(),
          "Return on the focused button presses the dialog's default button, not the button");
  }
  {
    Dialog d;
    d.ok->setFocus();
    check(d.focusesInTurn(d.save, d.stop) && d.stopped.isEmpty(),
          "Alt+S shared by &Save and a stock &Stop moves the focus to each in turn and clicks neither");
    d.stop->setText("S&top");
    d.stop->setFocus();
    d.alt(Qt::Key_S);
    check(d.saved.count() == 1 && QApplication::focusWidget() == d.stop,
          "once the key is the button's alone, Alt+S clicks it and the focus stays where it was");
  }
  {
    Dialog d;
    auto* label = new QLabel("&Subject", &d.dialog);
    auto* subject = new QLineEdit(&d.dialog);
    label->setBuddy(subject);
    d.stop->setText("S&top");
    label->show();
    subject->show();
    d.ok->setFocus();
    check(d.focusesInTurn(d.save, subject),
          "Alt+S shared with a label's buddy moves the focus to each in turn");
  }
  {
    Dialog d;
    d.stop->setText("S&top");
    auto* twin = new chameleonButton(&d.dialog);
    twin->setCaption("&Send");
    twin->setGeometry(10, 40, 93, 26);
    twin->show();
    QSignalSpy sent(twin, &chameleonButton::clicked);
    d.ok->setFocus();
    check(d.focusesInTurn(d.save, twin) && sent.isEmpty(),
          "two buttons sharing a key take the focus in turn and neither is clicked");
  }
}

void checkSlotsAndHover() {
  QWidget window;
  window.resize(200, 80);
  auto* b = new chameleonButton(&window);
  b->setGeometry(10, 10, 93, 26);
  QCheckBox box(&window);
  box.move(10, 50);
  check(QObject::connect(&box, SIGNAL(toggled(bool)), b, SLOT(setValue(bool))) &&
            QMetaObject::invokeMethod(b, "setCaption", Q_ARG(QString, "By name")),
        "setValue and setCaption are slots a connection by name reaches");
  box.setChecked(true);
  check(b->Value() && b->Caption() == "By name", "a QCheckBox drives Value through the slot");

  b->setCaption(QString());
  b->setColorScheme(2);
  b->setBackColor(Qt::white);
  b->setBackOver(Qt::red);
  window.show();
  QTest::qWaitForWindowExposed(&window);
  b->setValue(false);
  const QImage plain = b->grab().toImage();
  QSignalSpy over(b, &chameleonButton::MouseOver), out(b, &chameleonButton::MouseOut);
  QTest::mouseMove(b, QPoint(40, 12));
  QTest::qWaitFor([&] { return !over.isEmpty(); }, 1000);
  check(over.count() == 1 && b->grab().toImage() != plain, "QTest::mouseMove over the button hovers it");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(b, &leave);
  QCoreApplication::processEvents();
  check(out.count() == 1 && b->grab().toImage() == plain, "a Leave event ends the hover");

  // The second press of a double click never clicks: one click fewer than QPushButton's, whichever
  // events this Qt's QTest::mouseDClick sends (6.4 sends the double click alone).
  QPushButton stock("Stock", &window);
  stock.show();
  QSignalSpy clicks(b, &chameleonButton::clicked), stockClicks(&stock, &QPushButton::clicked);
  for (QWidget* w : std::initializer_list<QWidget*>{b, &stock}) {
    QTest::mouseDClick(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
  }
  check(clicks.count() == stockClicks.count() - 1,
        QString("QTest::mouseDClick and a release click the button %1 times, QPushButton %2 times")
            .arg(clicks.count())
            .arg(stockClicks.count()));
}

void checkDeletion() {
  QWidget window;
  window.resize(200, 80);
  window.show();
  QTest::qWaitForWindowActive(&window);
  const auto fresh = [&window](const QString& caption) {
    auto* b = new chameleonButton(&window);
    b->setCaption(caption);
    b->show();
    b->setFocus();
    return QPointer<chameleonButton>(b);
  };
  QPointer<chameleonButton> b = fresh("&Delete");
  QObject::connect(b, &chameleonButton::Click, [&b] { delete b; });
  QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
  check(b.isNull(), "a Click handler reached by the access key deletes the button");

  b = fresh("Escape");
  QObject::connect(b, &chameleonButton::KeyDown, [&b](qint16&, qint16&) { delete b; });
  QTest::keyPress(b, Qt::Key_Escape);
  check(b.isNull(), "a KeyDown handler deletes the button and the key goes no further");

  b = fresh("Value");
  QObject::connect(b, &chameleonButton::ValueChanged, [&b](bool) { delete b; });
  QMetaObject::invokeMethod(b, "setValue", Q_ARG(bool, true));
  check(b.isNull(), "a ValueChanged handler deletes the button set through its slot");
}

}  // namespace

void checkButtonInput() {
  // Each check's window alone on the screen, so the pointer finds it and nothing else.
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  checkDialogKeys();
  checkSlotsAndHover();
  checkDeletion();
}
