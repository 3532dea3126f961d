// The button's input where it meets Qt's own: keys it passes on to its parent, access keys shared
// with stock widgets through Qt's shortcuts, hover from a move's own place and from Leave.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "controls/button/chameleon_button.h"

namespace {

using Kelvane::chameleonButton;

// Hears the keys its children pass on.
class Parent : public QWidget {
 public:
  QList<int> heard;

 protected:
  void keyPressEvent(QKeyEvent* e) override { heard << e->key(); }
};

struct KeyCase {
  const char* name;
  Qt::Key key;
  bool zeroed;  // a KeyDown handler sets KeyCode to 0
  bool passedOn;
};

class KeysTheButtonDoesNotUse : public testing::TestWithParam<KeyCase> {};

TEST_P(KeysTheButtonDoesNotUse, GoOnToItsParent) {
  Parent parent;
  auto* b = new chameleonButton(&parent);
  if (GetParam().zeroed)
    QObject::connect(b, &chameleonButton::KeyDown, [](qint16& code, qint16&) { code = 0; });
  QTest::keyClick(b, GetParam().key);
  EXPECT_EQ(parent.heard, GetParam().passedOn ? QList<int>{GetParam().key} : QList<int>{});
}

INSTANTIATE_TEST_SUITE_P(Keys, KeysTheButtonDoesNotUse,
                         testing::Values(KeyCase{"escape", Qt::Key_Escape, false, true},
                                         KeyCase{"ret", Qt::Key_Return, false, true},
                                         KeyCase{"letter", Qt::Key_A, false, true},
                                         KeyCase{"space", Qt::Key_Space, false, false},
                                         KeyCase{"right", Qt::Key_Right, false, false},
                                         KeyCase{"escapeSwallowed", Qt::Key_Escape, true, false}),
                         [](const auto& p) { return std::string(p.param.name); });

// Right to left, Left moves the focus to the next control.
TEST(ButtonArrowKeys, FollowTheLayoutDirection) {
  for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
    QWidget window;
    window.setLayoutDirection(direction);
    chameleonButton* buttons[] = {new chameleonButton(&window), new chameleonButton(&window),
                                  new chameleonButton(&window)};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    buttons[1]->setFocus();
    QTest::keyClick(buttons[1], Qt::Key_Left);
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttons[direction == Qt::RightToLeft ? 2 : 0]->hasFocus()) << direction;
  }
}

// Alt+S pressed twice with the focus on "OK": where the focus goes and what is clicked.
struct AccessCase {
  const char* name;
  QStringList captions;  // chameleonButton captions ("-" first: disabled), then QPushButtons' after "|"
  QList<int> focused;    // the widget with the focus after each press (0 is OK)
  QList<int> clicks;     // clicked() of each widget
};

class SharedAccessKeys : public testing::TestWithParam<AccessCase> {};

TEST_P(SharedAccessKeys, BehaveAsAmongQtButtons) {
  QWidget window;
  QList<QWidget*> widgets{new QPushButton("OK", &window)};
  QList<int> clicks{0};
  bool stock = false;
  for (const QString& caption : GetParam().captions) {
    if (caption == "|") {
      stock = true;
      continue;
    }
    const int i = widgets.size();
    clicks << 0;
    if (stock) {
      auto* p = new QPushButton(caption, &window);
      QObject::connect(p, &QPushButton::clicked, [&clicks, i] { ++clicks[i]; });
      widgets << p;
    } else {
      auto* b = new chameleonButton(&window);
      b->setCaption(QString(caption).remove(QRegularExpression("^-")));
      b->setEnabled(!caption.startsWith('-'));
      QObject::connect(b, &chameleonButton::clicked, [&clicks, i] { ++clicks[i]; });
      widgets << b;
    }
    widgets.last()->move(0, 30 * i);
  }
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  widgets[0]->setFocus();
  QList<int> focused;
  for (int press = 0; press < 2; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    focused << widgets.indexOf(QApplication::focusWidget());
  }
  EXPECT_EQ(clicks.mid(1), GetParam().clicks);
  if (GetParam().focused.size() == 2 && GetParam().focused[0] != 0) {  // ambiguous: either order
    EXPECT_EQ(QSet<int>(focused.begin(), focused.end()),
              QSet<int>(GetParam().focused.begin(), GetParam().focused.end()));
  } else {
    EXPECT_EQ(focused, GetParam().focused);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Holders, SharedAccessKeys,
    testing::Values(AccessCase{"alone", {"&Save", "|", "S&top"}, {0, 0}, {2, 0}},
                    AccessCase{"withAStockButton", {"&Save", "|", "&Stop"}, {1, 2}, {0, 0}},
                    AccessCase{"twoButtons", {"&Save", "&Send"}, {1, 2}, {0, 0}},
                    AccessCase{"theOtherDisabled", {"&Save", "-&Send", "|", "S&top"}, {0, 0}, {2, 0, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

// A move that lands on the button hovers it wherever the cursor is; Leave ends the hover.
TEST(ButtonHover, FollowsTheMoveAndTheLeaveNotTheCursor) {
  QWidget window;
  window.resize(200, 60);
  auto* b = new chameleonButton(&window);
  b->setGeometry(10, 10, 93, 26);
  b->setColorScheme(2);
  b->setBackOver(Qt::red);
  QCursor::setPos(window.mapToGlobal(QPoint(150, 50)));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QImage up = b->grab().toImage();
  QSignalSpy over(b, &chameleonButton::MouseOver), out(b, &chameleonButton::MouseOut);
  QMouseEvent move(QEvent::MouseMove, QPointF(40, 12), b->mapToGlobal(QPointF(40, 12)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(b, &move);
  QTest::qWait(20);  // several timer periods
  EXPECT_EQ(over.count(), 1);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_NE(b->grab().toImage(), up);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(b, &leave);
  QCoreApplication::processEvents();
  EXPECT_EQ(out.count(), 1);
  EXPECT_EQ(b->grab().toImage(), up);
}

TEST(ButtonCheckBoxBehaviour, TurnedOffWhileCheckedComesUp) {
  QWidget window;
  auto* b = new chameleonButton(&window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QImage up = b->grab().toImage();
  b->setCheckBoxBehaviour(true);
  b->setValue(true);
  ASSERT_NE(b->grab().toImage(), up);
  b->setCheckBoxBehaviour(false);
  EXPECT_EQ(b->grab().toImage(), up);
  EXPECT_TRUE(b->Value());
}

// QWidget::setEnabled on the button is a change of its Enabled property for the host; a parent's is not.
TEST(ButtonEnabledNotice, ComesForTheButtonsOwnChangeOnly) {
  QWidget window;
  auto* b = new chameleonButton(&window);
  auto* control = kelvane::host::ControlOf<kelvane::controls::chameleonButton>(b);
  QSignalSpy notices(control, &kelvane::host::Control::PropertyNoticed);
  window.setEnabled(false);
  window.setEnabled(true);
  EXPECT_TRUE(notices.isEmpty());
  static_cast<QWidget*>(b)->setEnabled(false);
  ASSERT_EQ(notices.count(), 1);
  EXPECT_EQ(notices[0][0].toString().toUpper(), "ENAB");
}

}  // namespace
