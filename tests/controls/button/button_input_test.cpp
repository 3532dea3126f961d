// The button towards the user, seen from its container: the events it raises, the looks it paints,
// and what a handler that changes an argument, disables or destroys the button does to it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <functional>
#include <memory>

#include "controls/button/chameleon_button.h"
#include "platform/host/window_system.h"
#include "tests/support/control_widgets.h"
#include "tests/support/wait.h"

namespace kelvane::controls::test {
namespace {

using kelvane::test::WaitUntil;

constexpr std::int32_t kWhite = 0xFFFFFF, kRed = 0x0000FF;
const QRect kButtonRect(10, 10, 40, 20);
const QPoint kInside(20, 10);      // the button's centre, in its own coordinates
const QPoint kElsewhere(100, 50);  // a point of the window away from the button
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

// A style-3 button in scheme 2, white with a red hover face and no caption (so its centre shows the
// face), in a shown window, with every event it raises written to `log`.
class ButtonInput : public testing::Test {
 public:
  void SetUp() override {
    window.resize(120, 60);
    b = kelvane::test::NewButton(&window);
    b->hostCreateNew({});
    b->setButtonType(3);
    b->setColorScheme(2);
    b->setBackColor(kWhite);
    b->setBackOver(kRed);
    b->setCaption(QString());
    b->widget().setGeometry(kButtonRect);
    // A window shown under a resting pointer hovers what lies beneath it; the tests start away.
    QCursor::setPos(700, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CursorTo(kElsewhere + kButtonRect.topLeft());  // in window coordinates
    Record();
    up = Pixels();
  }
  void TearDown() override {
    if (b) host::ReleaseCapture();
  }

  void Record() {
    auto mouse = [this](const char* name) {
      return [this, name](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        log << QString("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y);
      };
    };
    b->MouseDown.connect(mouse("MouseDown"));
    b->MouseUp.connect(mouse("MouseUp"));
    auto key = [this](const char* name) {
      return [this, name](std::int16_t& code, std::int16_t& shift) {
        log << QString("%1 %2 %3").arg(name).arg(code).arg(shift);
      };
    };
    b->KeyDown.connect(key("KeyDown"));
    b->KeyUp.connect(key("KeyUp"));
    b->KeyPress.connect([this](std::int16_t& ascii) { log << QString("KeyPress %1").arg(ascii); });
    b->Click.connect([this] { log << "Click"; });
    b->MouseOver.connect([this] { log << "MouseOver"; });
    b->MouseOut.connect([this] { log << "MouseOut"; });
  }

  // The cursor moves as the user moves it: the windowing system reports the move to whatever lies
  // under it, or to the button while a mouse button pressed over it is held.
  void CursorTo(QPoint inWindow) {
    QCursor::setPos(window.mapToGlobal(inWindow));
    QCoreApplication::processEvents();
  }
  void CursorToButton(QPoint local) { CursorTo(local + kButtonRect.topLeft()); }
  // The cursor goes there and the button hears of it with the buttons held.
  void MoveTo(QPoint local, Qt::MouseButtons held = Qt::NoButton) {
    CursorToButton(local);
    if (!b) return;
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(b->widget().mapToGlobal(local)), Qt::NoButton,
                     held, Qt::NoModifier);
    QCoreApplication::sendEvent(&b->widget(), &move);
  }
  QStringList Only(const QString& prefix) const {
    QStringList out;
    for (const QString& e : log)
      if (e.startsWith(prefix)) out << e;
    return out;
  }

  QImage Pixels() const { return b->surface().image().copy(); }
  QRgb Face() const { return b->surface().image().pixel(kInside); }  // red while hovered
  bool Logged(const QString& entry) const { return log.contains(entry); }

  QWidget window;
  QPointer<chameleonButton> b;
  QStringList log;
  QImage up;  // the plain up look
};

// ---- mouse buttons ---------------------------------------------------------------------------------

struct ButtonCase {
  const char* name;
  Qt::MouseButton button;
  bool pressedLook;
  QStringList events;
};

class MouseButtons : public ButtonInput, public testing::WithParamInterface<ButtonCase> {};

TEST_P(MouseButtons, OnlyTheLeftButtonClicksAndOnlyTheRightLeavesTheLookAlone) {
  const ButtonCase& c = GetParam();
  QTest::mousePress(&b->widget(), c.button, Qt::ShiftModifier, kInside);
  EXPECT_EQ(Pixels() != up, c.pressedLook);
  QTest::mouseRelease(&b->widget(), c.button, Qt::ShiftModifier, kInside);
  EXPECT_EQ(Pixels(), up);
  EXPECT_EQ(log, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MouseButtons,
    testing::Values(
        ButtonCase{"left", Qt::LeftButton, true, {"MouseDown 1 1 20 10", "MouseUp 1 1 20 10", "Click"}},
        ButtonCase{"right", Qt::RightButton, false, {"MouseDown 2 1 20 10", "MouseUp 2 1 20 10"}},
        ButtonCase{"middle", Qt::MiddleButton, true, {"MouseDown 4 1 20 10", "MouseUp 4 1 20 10"}}),
    CaseName<ButtonCase>);

// A container that turns the left button into the right one in its MouseDown handler.
TEST_F(ButtonInput, ButtonChangedToRightInMouseDownKeepsTheLookAndRaisesNoClick) {
  b->MouseDown.connect([](std::int16_t& button, std::int16_t&, float&, float&) { button = 2; });
  QTest::mousePress(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_EQ(Pixels(), up);
  QTest::mouseRelease(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_FALSE(Logged("Click"));
}

TEST_F(ButtonInput, DoubleClickAfterALeftPressPressesAndCapturesWithoutAClick) {
  QTest::mouseClick(&b->widget(), Qt::LeftButton, {}, kInside);
  log.clear();
  QTest::mouseDClick(&b->widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 8));
  EXPECT_EQ(log, QStringList({"MouseDown 1 0 0 0"}));
  EXPECT_NE(Pixels(), up);
  EXPECT_EQ(host::GetCapture(), &b->widget());
  QTest::mouseRelease(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_EQ(log, QStringList({"MouseDown 1 0 0 0", "MouseUp 1 0 20 10"}));
  EXPECT_EQ(Pixels(), up);
  EXPECT_EQ(host::GetCapture(), nullptr) << "the release ends the capture";
}

TEST_F(ButtonInput, DoubleClickAfterARightPressDoesNothing) {
  QTest::mouseClick(&b->widget(), Qt::RightButton, {}, kInside);
  log.clear();
  QTest::mouseDClick(&b->widget(), Qt::RightButton, {}, kInside);
  EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
  EXPECT_EQ(Pixels(), up);
  EXPECT_EQ(host::GetCapture(), nullptr);
  // The simulated double click ends on its second press; the user's finger comes up too.
  QTest::mouseRelease(&b->widget(), Qt::RightButton, {}, kInside);
}

// ---- hover -----------------------------------------------------------------------------------------

TEST_F(ButtonInput, HoverPaintsTheHoverLookUntilTheTimerFindsTheCursorGone) {
  MoveTo(kInside);
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver"}));
  EXPECT_NE(Pixels(), up);
  MoveTo(kInside + QPoint(3, 1));
  QTest::qWait(20);  // several timer periods with the cursor still over the button
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver"})) << "moving inside raises nothing more";
  CursorTo(kElsewhere);
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver", "MouseOut"}));
  EXPECT_EQ(Pixels(), up);
  MoveTo(kInside);
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver", "MouseOut", "MouseOver"}))
      << "a second visit hovers again";
}

// A window on top of the button takes the cursor from it, though the point lies within the button.
TEST_F(ButtonInput, ACoveringWindowCountsAsNotOver) {
  MoveTo(kInside);
  ASSERT_TRUE(Logged("MouseOver"));
  QWidget cover(&window);
  cover.setGeometry(kButtonRect);
  cover.show();
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
  EXPECT_EQ(Pixels(), up);
}

// A pointer that jumps onto the button from another window may bring only the enter.
TEST_F(ButtonInput, EnteringWithoutAMoveHovers) {
  CursorToButton(kInside);
  const QPointF at(kInside);
  QEnterEvent enter(at, at, b->widget().mapToGlobal(at));
  QCoreApplication::sendEvent(&b->widget(), &enter);
  QCoreApplication::processEvents();
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver"}));
}

// The timer sleeps while the pointer rests; what moves the button from under it still wakes it.
TEST_F(ButtonInput, AButtonMovedFromUnderARestingPointerLosesTheHover) {
  MoveTo(kInside);
  QTest::qWait(20);
  ASSERT_FALSE(Logged("MouseOut"));
  b->widget().move(kButtonRect.topLeft() + QPoint(0, 25));
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
}

// What is moved under a resting pointer hovers as if the pointer had come to it.
struct ArrivalCase {
  const char* name;
  std::function<void(ButtonInput&)> bringUnderPointer;
};

class ArrivesUnderARestingPointer : public ButtonInput, public testing::WithParamInterface<ArrivalCase> {};

TEST_P(ArrivesUnderARestingPointer, Hovers) {
  QTest::qWait(20);
  ASSERT_TRUE(log.isEmpty());
  GetParam().bringUnderPointer(*this);
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOver"); }));
  EXPECT_NE(Face(), up.pixel(kInside));
  CursorTo(QPoint(5, 55));  // clear of the button wherever it went
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
  EXPECT_EQ(Only("Mouse"), QStringList({"MouseOver", "MouseOut"}));
}

INSTANTIATE_TEST_SUITE_P(Moves, ArrivesUnderARestingPointer,
                         testing::Values(ArrivalCase{"button",
                                                     [](ButtonInput& f) {
                                                       f.CursorTo(kElsewhere);
                                                       f.b->widget().move(kElsewhere - kInside);
                                                     }},
                                         ArrivalCase{"window",
                                                     [](ButtonInput& f) {
                                                       const QPoint parked(200, 30);  // right of the window
                                                       f.CursorTo(parked);
                                                       f.window.move(f.window.pos() + parked -
                                                                     kButtonRect.topLeft() - kInside);
                                                     }}),
                         CaseName<ArrivalCase>);

// A disabled button takes no part in the pointer's travels, and disabling a hovered one ends the
// hover; enabled again under the pointer, it hovers again.
TEST_F(ButtonInput, ADisabledButtonRaisesNoMouseEventsAndDisablingEndsTheHover) {
  b->MouseMove.connect([this](std::int16_t&, std::int16_t&, float&, float&) { log << "MouseMove"; });
  b->setEnabled(false);
  const QImage disabled = Pixels();
  MoveTo(kInside);
  QTest::qWait(20);
  CursorTo(kElsewhere);
  QTest::qWait(20);
  EXPECT_TRUE(Only("Mouse").isEmpty()) << Only("Mouse").join(", ").toStdString();
  b->setEnabled(true);
  MoveTo(kInside);
  ASSERT_TRUE(Logged("MouseOver"));
  log.clear();
  b->setEnabled(false);
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
  EXPECT_EQ(Pixels(), disabled);
  b->setEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOver"); })) << "enabled again under the pointer";
  EXPECT_NE(Face(), up.pixel(kInside));
  EXPECT_EQ(Only("MouseO"), QStringList({"MouseOut", "MouseOver"}));
}

// A modal dialog takes the pointer from the window behind it: the hover ends when the dialog opens,
// nothing in the blocked window hovers, and once the dialog is gone the button hovers again exactly
// when the pointer is over it.
struct ModalCase {
  const char* name;
  QPoint pointerWhileOpen;  // in the button's coordinates
  QStringList events;
};

class ModalDialog : public ButtonInput, public testing::WithParamInterface<ModalCase> {};

TEST_P(ModalDialog, EndsTheHoverUntilItCloses) {
  MoveTo(kInside);
  QTest::qWait(20);  // the hover timer is asleep while the pointer rests
  ASSERT_EQ(Only("Mouse"), QStringList({"MouseOver"}));
  QWidget dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setGeometry(window.geometry().translated(0, 200));
  dialog.show();
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); }));
  EXPECT_EQ(Face(), up.pixel(kInside)) << "the hover face is gone";
  CursorToButton(kInside + QPoint(2, 0));
  CursorToButton(GetParam().pointerWhileOpen);
  QTest::qWait(20);
  dialog.close();
  WaitUntil([&] { return Only("Mouse") == GetParam().events; });
  QTest::qWait(20);
  EXPECT_EQ(Only("Mouse"), GetParam().events);
  CursorTo(kElsewhere);
  ASSERT_TRUE(WaitUntil([&] { return Face() == up.pixel(kInside); }));
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, ModalDialog,
    testing::Values(ModalCase{"staysOnTheButton", kInside, {"MouseOver", "MouseOut", "MouseOver"}},
                    ModalCase{
                        "leavesTheButton", kElsewhere - kButtonRect.topLeft(), {"MouseOver", "MouseOut"}}),
    CaseName<ModalCase>);

TEST_F(ButtonInput, DraggingOutAndBackInWithTheLeftButtonHeld) {
  MoveTo(kInside);
  QTest::mousePress(&b->widget(), Qt::LeftButton, {}, kInside);
  const QImage pressed = Pixels();
  ASSERT_NE(pressed, up);
  MoveTo(QPoint(60, 10), Qt::LeftButton);  // outside, still held: the button looks up
  ASSERT_TRUE(WaitUntil([&] { return Logged("MouseOut"); })) << "the timer notices while the button is held";
  EXPECT_EQ(Pixels(), up);
  MoveTo(kInside, Qt::LeftButton);  // back in, still held: pressed again
  EXPECT_EQ(Pixels(), pressed);
  QTest::mouseRelease(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_EQ(log.last(), "Click");
}

TEST_F(ButtonInput, PressAndReleaseInsideHoversAgainOnTheNextPlainMoveWithoutAMouseOut) {
  MoveTo(kInside);
  QTest::mousePress(&b->widget(), Qt::LeftButton, {}, kInside);
  MoveTo(kInside + QPoint(2, 0), Qt::LeftButton);
  QTest::mouseRelease(&b->widget(), Qt::LeftButton, {}, kInside + QPoint(2, 0));
  MoveTo(kInside + QPoint(4, 0));
  EXPECT_EQ(Only("Mouse"),
            QStringList({"MouseOver", "MouseDown 1 0 20 10", "MouseUp 1 0 22 10", "MouseOver"}));
}

// ---- keys ------------------------------------------------------------------------------------------

TEST_F(ButtonInput, SpacePressesOnKeyDownAndClicksOnKeyUp) {
  QTest::keyPress(&b->widget(), Qt::Key_Space);
  EXPECT_NE(Pixels(), up);
  QTest::keyRelease(&b->widget(), Qt::Key_Space);
  EXPECT_EQ(Pixels(), up);
  EXPECT_EQ(log, QStringList({"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "Click"}));
}

// A space key-up clicks only when the last key-down the button saw was a space too.
TEST_F(ButtonInput, SpaceKeyUpAfterAnotherKeyDownDoesNotClick) {
  QTest::keyPress(&b->widget(), Qt::Key_Space);
  QTest::keyPress(&b->widget(), Qt::Key_A);
  QTest::keyRelease(&b->widget(), Qt::Key_Space);
  EXPECT_FALSE(Logged("Click"));
}

TEST_F(ButtonInput, KeyCodeZeroedInKeyDownSuppressesThePressAndTheClick) {
  b->KeyDown.connect([](std::int16_t& code, std::int16_t&) { code = 0; });
  QTest::keyPress(&b->widget(), Qt::Key_Space);
  EXPECT_EQ(Pixels(), up);
  QTest::keyRelease(&b->widget(), Qt::Key_Space);
  EXPECT_FALSE(Logged("Click"));
}

struct ArrowCase {
  const char* name;
  Qt::Key key;
  int focusedAfter;  // index of the button that has the focus afterwards; the middle one starts
  bool zeroKeyCode;  // the container zeroes KeyCode in its KeyDown handler
};

class ArrowKeys : public testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowKeys, MoveTheFocusUnlessTheContainerZeroesTheKeyCode) {
  QWidget window;
  chameleonButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = kelvane::test::NewButton(&window);
    buttons[i]->hostCreateNew({});
    buttons[i]->widget().setGeometry(10, 10 + 30 * i, 40, 20);
  }
  if (GetParam().zeroKeyCode)
    buttons[1]->KeyDown.connect([](std::int16_t& code, std::int16_t&) { code = 0; });
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  buttons[1]->widget().setFocus();
  ASSERT_TRUE(buttons[1]->widget().hasFocus());
  QTest::keyClick(&buttons[1]->widget(), GetParam().key);
  QCoreApplication::processEvents();  // the focus keystroke is queued
  EXPECT_TRUE(buttons[GetParam().focusedAfter]->widget().hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keys, ArrowKeys,
                         testing::Values(ArrowCase{"left", Qt::Key_Left, 0, false},
                                         ArrowCase{"up", Qt::Key_Up, 0, false},
                                         ArrowCase{"right", Qt::Key_Right, 2, false},
                                         ArrowCase{"down", Qt::Key_Down, 2, false},
                                         ArrowCase{"enter", Qt::Key_Return, 1, false},
                                         ArrowCase{"rightZeroed", Qt::Key_Right, 1, true}),
                         CaseName<ArrowCase>);

// ---- check box and access key ----------------------------------------------------------------------

struct FlipCase {
  const char* name;
  std::function<void(chameleonButton&)> activate;
};

class CheckBoxFlips : public ButtonInput, public testing::WithParamInterface<FlipCase> {};

TEST_P(CheckBoxFlips, EachActivationFlipsValueBeforeClick) {
  b->setCheckBoxBehaviour(true);
  b->setCaption("&Go");
  const QImage unchecked = Pixels();
  QList<bool> seen;
  b->Click.connect([&] { seen << b->Value(); });
  GetParam().activate(*b);
  EXPECT_NE(Pixels(), up) << "checked shows the down look";
  GetParam().activate(*b);
  EXPECT_EQ(seen, QList<bool>({true, false}));
  EXPECT_EQ(Pixels(), unchecked);
}

INSTANTIATE_TEST_SUITE_P(
    Activations, CheckBoxFlips,
    testing::Values(
        FlipCase{"leftClick",
                 [](chameleonButton& b) { QTest::mouseClick(&b.widget(), Qt::LeftButton, {}, kInside); }},
        FlipCase{"space", [](chameleonButton& b) { QTest::keyClick(&b.widget(), Qt::Key_Space); }},
        FlipCase{"accessKey",
                 [](chameleonButton& b) { QTest::keyClick(&b.widget(), Qt::Key_G, Qt::AltModifier); }}),
    CaseName<FlipCase>);

TEST_F(ButtonInput, AccessKeyClicksOnlyAnEnabledButton) {
  b->setCaption("&Go");
  QTest::keyClick(&b->widget(), Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(log.count("Click"), 1);
  b->setEnabled(false);
  QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(log.count("Click"), 1);
}

struct AccessKeyCase {
  const char* caption;
  const char* key;
};

class AccessKeyCaptions : public testing::TestWithParam<AccessKeyCase> {};

TEST_P(AccessKeyCaptions, TheCaptionSetsTheAccessKey) {
  kelvane::test::OwnedButton owner;
  chameleonButton& b = *owner;
  b.hostCreateNew({});
  b.setAccessKeys("x");
  b.setCaption(QString::fromUtf8(GetParam().caption));
  EXPECT_EQ(b.AccessKeys(), QString::fromUtf8(GetParam().key)) << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessKeyCaptions,
                         testing::Values(AccessKeyCase{"&Save", "s"}, AccessKeyCase{"Ab&C", "c"},
                                         AccessKeyCase{"Fish && &Chips", "c"},
                                         AccessKeyCase{"Fish && Chips", ""}, AccessKeyCase{"Save&", ""},
                                         AccessKeyCase{"A&&&&B", ""}, AccessKeyCase{"A&&&&&B", ""},
                                         AccessKeyCase{"&", ""}, AccessKeyCase{"&&", ""},
                                         AccessKeyCase{"A && B&", ""}, AccessKeyCase{"S", ""},
                                         AccessKeyCase{"", ""}, AccessKeyCase{"&Ärger", "ä"}));

// ---- handlers that disable or destroy the button ---------------------------------------------------

// Whichever event's handler destroys the button, the button stops at once; the window lives on.
struct DestroyCase {
  const char* name;
  std::function<void(chameleonButton&, std::function<void()>)> hook;
  std::function<void(ButtonInput&)> input;
};

class HandlerDestroys : public ButtonInput, public testing::WithParamInterface<DestroyCase> {};

TEST_P(HandlerDestroys, TheButtonAndNothingElse) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  b->widget().setFocus();
  GetParam().hook(*b, [this] { delete &b->widget(); });
  GetParam().input(*this);
  ASSERT_TRUE(WaitUntil([&] { return b.isNull(); }));
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, kButtonRect.center());  // still alive
}

void Click(ButtonInput& t) {
  if (t.b) QTest::mousePress(&t.b->widget(), Qt::LeftButton, {}, kInside);
  if (t.b) QTest::mouseRelease(&t.b->widget(), Qt::LeftButton, {}, kInside);
}
void Space(ButtonInput& t) { QTest::keyClick(t.window.windowHandle(), Qt::Key_Space); }
void Right(ButtonInput& t) { QTest::keyClick(t.window.windowHandle(), Qt::Key_Right); }
void HoverAndLeave(ButtonInput& t) {
  t.MoveTo(kInside);
  if (t.b) t.CursorTo(kElsewhere);
}
// Through aliases: formatters of different versions space "T Class::*name" apart.
using MouseEventOf = chameleonButton::MouseEvent chameleonButton::*;
using KeyEventOf = chameleonButton::KeyEvent chameleonButton::*;
using PlainEventOf = host::Event<> chameleonButton::*;

auto OnMouse(MouseEventOf event) {
  return [event](chameleonButton& b, std::function<void()> act) {
    (b.*event).connect([act](std::int16_t&, std::int16_t&, float&, float&) { act(); });
  };
}
auto OnKey(KeyEventOf event) {
  return [event](chameleonButton& b, std::function<void()> act) {
    (b.*event).connect([act](std::int16_t&, std::int16_t&) { act(); });
  };
}
auto OnPlain(PlainEventOf event) {
  return [event](chameleonButton& b, std::function<void()> act) { (b.*event).connect([act] { act(); }); };
}

INSTANTIATE_TEST_SUITE_P(
    Events, HandlerDestroys,
    testing::Values(DestroyCase{"MouseDown", OnMouse(&chameleonButton::MouseDown), Click},
                    DestroyCase{"MouseUp", OnMouse(&chameleonButton::MouseUp), Click},
                    DestroyCase{"Click", OnPlain(&chameleonButton::Click), Click},
                    DestroyCase{"KeyDownSpace", OnKey(&chameleonButton::KeyDown), Space},
                    DestroyCase{"KeyDownArrow", OnKey(&chameleonButton::KeyDown), Right},
                    DestroyCase{"KeyUp", OnKey(&chameleonButton::KeyUp), Space},
                    DestroyCase{"SpaceClick", OnPlain(&chameleonButton::Click), Space},
                    DestroyCase{"KeyPress",
                                [](chameleonButton& b, std::function<void()> act) {
                                  b.KeyPress.connect([act](std::int16_t&) { act(); });
                                },
                                Space},
                    DestroyCase{"MouseOver", OnPlain(&chameleonButton::MouseOver), HoverAndLeave},
                    DestroyCase{"MouseOut", OnPlain(&chameleonButton::MouseOut), HoverAndLeave}),
    CaseName<DestroyCase>);

// A MouseDown handler that disables the button: the press shows the disabled look, no click follows,
// and once enabled again the very next click counts.
TEST_F(ButtonInput, MouseDownHandlerThatDisablesTheButton) {
  b->setEnabled(false);
  const QImage disabled = Pixels();
  b->setEnabled(true);
  auto id =
      b->MouseDown.connect([this](std::int16_t&, std::int16_t&, float&, float&) { b->setEnabled(false); });
  QTest::mousePress(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_EQ(Pixels(), disabled);
  QTest::mouseRelease(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_FALSE(Logged("Click"));
  b->MouseDown.disconnect(id);
  b->setEnabled(true);
  QTest::mouseClick(&b->widget(), Qt::LeftButton, {}, kInside);
  EXPECT_EQ(log.count("Click"), 1) << "the release the disabled button never heard is forgotten";
}

}  // namespace
}  // namespace kelvane::controls::test
