// The button's input where it meets Qt's own: keys it passes on to its parent, access keys shared
// with stock widgets through Qt's shortcuts, hover from a move's own place and from Leave.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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

// Alt+S pressed twice with the focus on OK, "&Save" beside another widget: held alone the key
// clicks and leaves the focus; shared, it gives the focus to each holder in turn and clicks nothing.
struct AccessCase {
  const char* name;
  bool stock;  // the other widget is a QPushButton
  const char* otherCaption;
  bool otherEnabled;
  bool shared;
};

class AccessKeys : public testing::TestWithParam<AccessCase> {};

TEST_P(AccessKeys, BehaveAsAmongQtButtons) {
  const AccessCase& c = GetParam();
  QWidget window;
  auto* ok = new QPushButton("OK", &window);
  auto* save = new chameleonButton(&window);
  save->setCaption("&Save");
  auto* mine = c.stock ? nullptr : new chameleonButton(&window);
  QWidget* other = mine ? static_cast<QWidget*>(mine) : new QPushButton(c.otherCaption, &window);
  if (mine) mine->setCaption(c.otherCaption);
  other->setEnabled(c.otherEnabled);
  QSignalSpy saved(save, &chameleonButton::clicked);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ok->setFocus();
  QSet<QWidget*> focused;
  for (int press = 0; press < 2; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    focused << QApplication::focusWidget();
  }
  const QSet<QWidget*> expected = c.shared ? QSet<QWidget*>{save, other} : QSet<QWidget*>{ok};
  EXPECT_EQ(focused, expected);
  EXPECT_EQ(saved.count(), c.shared ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(Holders, AccessKeys,
                         testing::Values(AccessCase{"alone", true, "S&top", true, false},
                                         AccessCase{"withAStockButton", true, "&Stop", true, true},
                                         AccessCase{"withAnotherButton", false, "&Send", true, true},
                                         AccessCase{"theOtherDisabled", false, "&Send", false, false}),
                         [](const auto& p) { return std::string(p.param.name); });

// A move that lands on the button hovers it wherever the cursor is; Leave ends the hover.
TEST(ButtonHover, FollowsTheMoveAndTheLeaveNotTheCursor) {
  QWidget window;
  auto* b = new chameleonButton(&window);
  b->move(10, 10);
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
  b->setCheckBoxBehaviour(false);
  EXPECT_EQ(b->grab().toImage(), up);
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
  EXPECT_EQ(notices.count() == 1 ? notices[0][0].toString().toUpper() : QString(), "ENAB");
}

}  // namespace
