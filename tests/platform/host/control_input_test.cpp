// Mouse, key and access-key input as the host reports it to a control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>

#include "recording_control.h"
#include "tests/support/hosted_control.h"

namespace kelvane::test {
namespace {

class ControlMouse : public testing::Test {
 protected:
  void SetUp() override {
    w.resize(20, 10);
    c.setScaleMode(host::ScaleUnit::Pixels);
    w.show();
    c.log.clear();
  }
  QStringList mouseLog() const { return Only(c.log, {"MouseDown", "MouseUp", "Click", "DblClick"}); }
  Hosted<RecordingControl> w;
  RecordingControl& c = w.control();
};

struct ClickCase {
  Qt::MouseButton qt;
  Qt::KeyboardModifiers mods;
  host::ScaleUnit scale;
  const char* reported;  // "button shift x y" for both MouseDown and MouseUp
};

class ControlMouseClicks : public ControlMouse, public testing::WithParamInterface<ClickCase> {};

TEST_P(ControlMouseClicks, DownUpThenClickWithButtonShiftAndScaledPosition) {
  c.setScaleMode(GetParam().scale);
  QTest::mouseClick(&w, GetParam().qt, GetParam().mods, QPoint(2, 3));
  const QString r = GetParam().reported;
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown " + r, "MouseUp " + r, "Click"}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ControlMouseClicks,
                         testing::Values(ClickCase{Qt::LeftButton, {}, host::ScaleUnit::Twips, "1 0 30 45"},
                                         ClickCase{Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier,
                                                   host::ScaleUnit::Pixels, "1 3 2 3"},
                                         ClickCase{Qt::RightButton, {}, host::ScaleUnit::Pixels, "2 0 2 3"},
                                         ClickCase{
                                             Qt::MiddleButton, {}, host::ScaleUnit::Pixels, "4 0 2 3"}));

TEST_F(ControlMouse, PressInsideReleaseOutsideGivesNoClick) {
  QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(25, 5));
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown 1 0 5 5", "MouseUp 1 0 25 5"}));
}

TEST_F(ControlMouse, DoubleClickSequence) {
  QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(mouseLog(),
            QStringList({"MouseDown 1 0 3 3", "MouseUp 1 0 3 3", "Click", "DblClick", "MouseUp 1 0 3 3"}));
}

// What the windowing system delivers for a quick second click: a press, Qt's double-click event,
// then the release. The second press must not be reported as a mouse-down, nor the double click twice.
TEST_F(ControlMouse, DoubleClickFromTimedPressesIsReportedOnce) {
  const QPointF at(4, 4);
  auto send = [&](QEvent::Type type, Qt::MouseButtons held, quint64 time) {
    QMouseEvent e(type, at, w.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    e.setTimestamp(time);
    QApplication::sendEvent(&w, &e);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, 100000);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 100050);
  send(QEvent::MouseButtonPress, Qt::LeftButton, 100150);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, 100150);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 100200);
  EXPECT_EQ(mouseLog(),
            QStringList({"MouseDown 1 0 4 4", "MouseUp 1 0 4 4", "Click", "DblClick", "MouseUp 1 0 4 4"}));
}

// A second press of the same button soon after the first, and near it, is a double click whatever
// became of the first press; the interval runs from press to press.
struct SecondPressCase {
  const char* name;
  // Times after the first press, in eighths of the double-click interval.
  int firstReleaseAt;
  QPoint firstReleasedAt;
  int secondPressAt;
  bool doubleClick;  // Qt follows the second press with its own double-click event then
  QStringList events;
};

class ControlSecondPress : public ControlMouse, public testing::WithParamInterface<SecondPressCase> {};

TEST_P(ControlSecondPress, CountsFromTheFirstPress) {
  const SecondPressCase& p = GetParam();
  const QPointF at(4, 4);
  const quint64 t0 = 100000;
  auto send = [&](QEvent::Type type, QPointF where, Qt::MouseButtons held, quint64 time) {
    QMouseEvent e(type, where, w.mapToGlobal(where), Qt::LeftButton, held, Qt::NoModifier);
    e.setTimestamp(time);
    QApplication::sendEvent(&w, &e);
  };
  const quint64 eighth = QGuiApplication::styleHints()->mouseDoubleClickInterval() / 8;
  const quint64 second = t0 + p.secondPressAt * eighth;
  send(QEvent::MouseButtonPress, at, Qt::LeftButton, t0);
  send(QEvent::MouseButtonRelease, QPointF(p.firstReleasedAt), Qt::NoButton, t0 + p.firstReleaseAt * eighth);
  send(QEvent::MouseButtonPress, at, Qt::LeftButton, second);
  if (p.doubleClick) send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, second);
  send(QEvent::MouseButtonRelease, at, Qt::NoButton, second + 10);
  EXPECT_EQ(Only(c.log, {"MouseDown", "Click", "DblClick"}), p.events);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ControlSecondPress,
    testing::Values(
        SecondPressCase{"afterAClick", 1, {4, 4}, 2, true, {"MouseDown 1 0 4 4", "Click", "DblClick"}},
        SecondPressCase{"afterADragOut", 1, {30, 4}, 2, true, {"MouseDown 1 0 4 4", "DblClick"}},
        // released late: the second press comes soon after the release, but long after the first press
        SecondPressCase{"tooLongAfterTheFirstPress",
                        7,
                        {4, 4},
                        9,
                        false,
                        {"MouseDown 1 0 4 4", "Click", "MouseDown 1 0 4 4", "Click"}}),
    [](const testing::TestParamInfo<SecondPressCase>& c) { return std::string(c.param.name); });

TEST_F(ControlMouse, SlowSecondClickIsTwoClicks) {
  QTest::mouseClick(&w, Qt::LeftButton);
  QTest::mouseClick(&w, Qt::LeftButton);  // the test clock moves past the double-click interval
  EXPECT_EQ(Only(c.log, {"Click", "DblClick"}), QStringList({"Click", "Click"}));
}

TEST_F(ControlMouse, MoveReportsTheButtonsHeld) {
  QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseMove(&w, QPoint(30, 2));  // outside: still delivered while held
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(30, 2));
  EXPECT_TRUE(Only(c.log, {"MouseMove"}).contains("MouseMove 1 0 30 2"));
}

// Moving onto a control brings it an enter and a move from the window system: one move notification.
TEST(ControlMouseEnter, OneMotionOntoTheControlIsOneMove) {
  QWidget window;
  window.resize(60, 40);
  auto* w = new Hosted<RecordingControl>(&window);
  RecordingControl* c = &w->control();
  w->setGeometry(10, 10, 20, 10);
  c->setScaleMode(host::ScaleUnit::Pixels);
  QCursor::setPos(700, 500);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QCursor::setPos(window.mapToGlobal(QPoint(15, 15)));
  QTest::qWait(20);
  EXPECT_EQ(Only(c->log, {"MouseMove"}), QStringList({"MouseMove 0 0 5 5"}));
}

// What a control hears of a pointer it did not see move: resting over it when something beneath
// changed, or entering it. Each place is told once; leaving, disabling or another control in between
// makes the same place new again. A disabled control hears nothing.
struct PointerRow {
  const char* name;
  const char* steps;  // "what widget x y", separated by "; " (widgets: a, b and the window w)
  QStringList a, b;   // the moves each control hears
};

class PointerNotices : public testing::TestWithParam<PointerRow> {};

TEST_P(PointerNotices, TellEachPlaceOnce) {
  QWidget window;
  window.resize(60, 20);
  Hosted<RecordingControl>* controls[] = {new Hosted<RecordingControl>(&window),
                                          new Hosted<RecordingControl>(&window)};
  for (int i = 0; i < 2; ++i) {
    controls[i]->setGeometry(30 * i, 0, 20, 10);
    (*controls[i])->setScaleMode(host::ScaleUnit::Pixels);
  }
  QCursor::setPos(700, 500);  // the real pointer stays out of it
  window.show();
  QApplication::processEvents();
  for (auto* c : controls) c->control().log.clear();
  for (const QString& step : QString(GetParam().steps).split("; ")) {
    const QStringList p = step.split(' ');
    QWidget& w = p[1] == "w" ? window : *controls[p[1] == "b"];
    const QPoint at = p.size() > 3 ? QPoint(p[2].toInt(), p[3].toInt()) : QPoint();
    QMouseEvent move(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QEnterEvent enter(at, at, w.mapToGlobal(at));
    QEvent leave(QEvent::Leave);
    if (p[0] == "rest") host::Control::hostPointerResting(&w, w.mapToGlobal(at));
    if (p[0] == "move" || p[0] == "enter" || p[0] == "leave")
      QApplication::sendEvent(&w, p[0] == "move"    ? &move
                                  : p[0] == "enter" ? static_cast<QEvent*>(&enter)
                                                    : &leave);
    if (p[0] == "disable" || p[0] == "enable") w.setEnabled(p[0] == "enable");
  }
  QApplication::processEvents();  // an enter is told from the queue
  EXPECT_EQ(Only(controls[0]->control().log, {"MouseMove"}), GetParam().a);
  EXPECT_EQ(Only(controls[1]->control().log, {"MouseMove"}), GetParam().b);
}

const QString kAt55 = "MouseMove 0 0 5 5";
INSTANTIATE_TEST_SUITE_P(
    Table, PointerNotices,
    testing::Values(
        PointerRow{"restingIsAMove", "rest a 5 5", {kAt55}, {}},
        PointerRow{"samePlaceTwiceIsOneMove", "rest a 5 5; rest a 5 5", {kAt55}, {}},
        PointerRow{"newPlaceIsANewMove", "rest a 5 5; rest a 6 5", {kAt55, "MouseMove 0 0 6 5"}, {}},
        PointerRow{"aDisabledControlHearsNothing", "disable a; rest a 5 5; enter a 5 5", {}, {}},
        PointerRow{"overNoControlForgets", "rest a 5 5; rest w 25 5; rest a 5 5", {kAt55, kAt55}, {}},
        PointerRow{"anotherControlBetween", "rest a 5 5; rest b 5 5; rest a 5 5", {kAt55, kAt55}, {kAt55}},
        PointerRow{"leavingForgets", "rest a 5 5; leave a; rest a 5 5", {kAt55, kAt55}, {}},
        PointerRow{"disablingForgets", "rest a 5 5; disable a; enable a; rest a 5 5", {kAt55, kAt55}, {}},
        PointerRow{"aMoveIsTold", "move a 5 5; rest a 5 5", {kAt55}, {}},
        PointerRow{"enteringIsAMove", "enter a 5 5", {kAt55}, {}},
        PointerRow{"enteringWithAMoveIsOneMove", "enter a 5 5; move a 6 6", {"MouseMove 0 0 6 6"}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ControlMouseTeardown, ControlDestroyedInMouseUpDoesNotCrash) {
  struct Killer : RecordingControl {
    using RecordingControl::RecordingControl;
    void OnMouseUp(int, int, float, float) override { delete &widget(); }
  };
  auto* killer = new Hosted<Killer>;
  killer->resize(10, 10);
  killer->show();
  QPointer<QWidget> watch(killer);
  QTest::mouseClick(killer, Qt::LeftButton);
  EXPECT_TRUE(watch.isNull());
}

struct KeyCase {
  Qt::Key key;
  Qt::KeyboardModifiers mods;
  QStringList expected;
};

class ControlKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(ControlKeys, KeyDownPressUpCarryClassicCodes) {
  Hosted<RecordingControl> w;
  RecordingControl& c = w.control();
  w.resize(10, 10);
  w.show();
  QTest::keyClick(&w, GetParam().key, GetParam().mods);
  EXPECT_EQ(Only(c.log, {"Key"}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ControlKeys,
    testing::Values(KeyCase{Qt::Key_Space, {}, {"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"}},
                    KeyCase{Qt::Key_Return, {}, {"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}},
                    KeyCase{Qt::Key_A, {}, {"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0"}},
                    KeyCase{Qt::Key_7, {}, {"KeyDown 55 0", "KeyPress 55", "KeyUp 55 0"}},
                    KeyCase{Qt::Key_Left, {}, {"KeyDown 37 0", "KeyUp 37 0"}},
                    // the modifier key itself goes down first and comes up last
                    KeyCase{Qt::Key_Down,
                            Qt::ControlModifier,
                            {"KeyDown 17 2", "KeyDown 40 2", "KeyUp 40 2", "KeyUp 17 0"}}));

struct AccessCase {
  Qt::Key key;
  Qt::KeyboardModifiers mods;
  bool ownerEnabled;
  QStringList owner;    // access-key notices the owner of "s" gets
  QStringList focused;  // key-downs of that key the focused control gets
};

class AccessKeys : public testing::TestWithParam<AccessCase> {};

TEST_P(AccessKeys, AltAndTheKeyReachAnEnabledOwnerInsteadOfTheFocusedControl) {
  QWidget window;
  auto* first = new Hosted<RecordingControl>(&window);
  auto* owner = new Hosted<RecordingControl>(&window);
  first->setGeometry(0, 0, 20, 10);
  owner->setGeometry(0, 20, 20, 10);
  (*owner)->setAccessKeys("s");
  owner->setEnabled(GetParam().ownerEnabled);
  window.show();
  QTest::keyClick(first, GetParam().key, GetParam().mods);
  EXPECT_EQ(Only(owner->control().log, {"AccessKeyPress"}), GetParam().owner);
  EXPECT_EQ(Only(first->control().log, {QString("KeyDown %1 ").arg(int(GetParam().key))}),
            GetParam().focused);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AccessKeys,
    testing::Values(AccessCase{Qt::Key_S, Qt::AltModifier, true, {"AccessKeyPress 115"}, {}},
                    AccessCase{Qt::Key_S, {}, true, {}, {"KeyDown 83 0"}},
                    AccessCase{Qt::Key_S, Qt::AltModifier, false, {}, {"KeyDown 83 4"}},
                    AccessCase{Qt::Key_D, Qt::AltModifier, true, {}, {"KeyDown 68 4"}},
                    // Ctrl+Alt is how some keyboards type a character (AltGr), not an access key
                    AccessCase{
                        Qt::Key_S, Qt::AltModifier | Qt::ControlModifier, true, {}, {"KeyDown 83 6"}}));

// Reached directly (a screen reader, a stored shortcut), a disabled control still takes no access key
// and no focus.
TEST(AccessKeyPress, ADisabledControlIgnoresIt) {
  QWidget window;
  auto* first = new Hosted<RecordingControl>(&window);
  auto* owner = new Hosted<RecordingControl>(&window);
  window.show();
  first->setFocus();
  owner->setEnabled(false);
  (*owner)->hostAccessKeyPress('s');
  EXPECT_EQ(Only(owner->control().log, {"AccessKeyPress", "GotFocus"}), QStringList());
  owner->setEnabled(true);
  (*owner)->hostAccessKeyPress('s');
  EXPECT_EQ(Only(owner->control().log, {"AccessKeyPress"}), QStringList({"AccessKeyPress 115"}));
}

// A held key repeats its key-down (and key-press) only; the key-up comes once, when it is let go.
TEST(ControlKeysHeld, RepeatsKeyDownAndReleasesOnce) {
  Hosted<RecordingControl> w;
  w.resize(10, 10);
  w.show();
  const auto send = [&](QEvent::Type type, bool repeat) {
    QKeyEvent e(type, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), repeat);
    QCoreApplication::sendEvent(&w, &e);
  };
  send(QEvent::KeyPress, false);
  for (int i = 0; i < 2; ++i) {
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
  }
  send(QEvent::KeyRelease, false);
  EXPECT_EQ(Only(w.control().log, {"KeyDown", "KeyUp"}),
            QStringList({"KeyDown 65 0", "KeyDown 65 0", "KeyDown 65 0", "KeyUp 65 0"}));
}

}  // namespace
}  // namespace kelvane::test
