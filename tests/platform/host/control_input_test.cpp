// Mouse, key and access-key input as the host reports it to a control.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "recording_control.h"

namespace kelvane::test {
namespace {

const QStringList kMouse{"MouseDown", "MouseUp", "Click", "DblClick"};

class ControlMouse : public testing::Test {
 protected:
  void SetUp() override {
    c.resize(20, 10);
    c.show();
    c.log.clear();
  }
  QStringList mouseLog() const { return Only(c.log, kMouse); }
  RecordingControl c;
};

TEST_F(ControlMouse, ClickIsReportedAfterMouseUp) {
  QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(2, 3));
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown 1 0 30 45", "MouseUp 1 0 30 45", "Click"}));
}

TEST_F(ControlMouse, CoordinatesFollowTheScaleMode) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(7, 4));
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown 1 3 7 4", "MouseUp 1 3 7 4", "Click"}));
}

struct ButtonCase {
  Qt::MouseButton qt;
  int code;
};

class ControlMouseButtons : public ControlMouse, public testing::WithParamInterface<ButtonCase> {};

TEST_P(ControlMouseButtons, EveryButtonReportsItsCodeAndAClick) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  QTest::mouseClick(&c, GetParam().qt, {}, QPoint(1, 1));
  const QString n = QString::number(GetParam().code);
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown " + n + " 0 1 1", "MouseUp " + n + " 0 1 1", "Click"}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ControlMouseButtons,
                         testing::Values(ButtonCase{Qt::LeftButton, 1}, ButtonCase{Qt::RightButton, 2},
                                         ButtonCase{Qt::MiddleButton, 4}));

TEST_F(ControlMouse, PressInsideReleaseOutsideGivesNoClick) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(25, 5));
  EXPECT_EQ(mouseLog(), QStringList({"MouseDown 1 0 5 5", "MouseUp 1 0 25 5"}));
}

TEST_F(ControlMouse, DoubleClickSequence) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseDClick(&c, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(mouseLog(),
            QStringList({"MouseDown 1 0 3 3", "MouseUp 1 0 3 3", "Click", "DblClick", "MouseUp 1 0 3 3"}));
}

// What the windowing system delivers for a quick second click: a press, Qt's double-click event,
// then the release. The second press must not be reported as a mouse-down, nor the double click twice.
TEST_F(ControlMouse, DoubleClickFromTimedPressesIsReportedOnce) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  const QPointF at(4, 4);
  auto send = [&](QEvent::Type type, Qt::MouseButtons held, quint64 time) {
    QMouseEvent e(type, at, c.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    e.setTimestamp(time);
    QApplication::sendEvent(&c, &e);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, 100000);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 100050);
  send(QEvent::MouseButtonPress, Qt::LeftButton, 100150);
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, 100150);
  send(QEvent::MouseButtonRelease, Qt::NoButton, 100200);
  EXPECT_EQ(mouseLog(),
            QStringList({"MouseDown 1 0 4 4", "MouseUp 1 0 4 4", "Click", "DblClick", "MouseUp 1 0 4 4"}));
}

TEST_F(ControlMouse, SlowSecondClickIsTwoClicks) {
  QTest::mouseClick(&c, Qt::LeftButton);
  QTest::mouseClick(&c, Qt::LeftButton);  // the test clock moves past the double-click interval
  EXPECT_EQ(Only(c.log, {"Click", "DblClick"}), QStringList({"Click", "Click"}));
}

TEST_F(ControlMouse, MoveReportsTheButtonsHeld) {
  c.setScaleMode(host::ScaleUnit::Pixels);
  QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseMove(&c, QPoint(30, 2));  // outside: still delivered while held
  QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(30, 2));
  EXPECT_TRUE(Only(c.log, {"MouseMove"}).contains("MouseMove 1 0 30 2"));
}

TEST_F(ControlMouse, ControlDestroyedInMouseUpDoesNotCrash) {
  struct Killer : RecordingControl {
    void OnMouseUp(int, int, float, float) override { delete this; }
  };
  auto* killer = new Killer;
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

void PrintTo(const KeyCase& k, std::ostream* os) { *os << k.expected.join(", ").toStdString(); }

class ControlKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(ControlKeys, KeyDownPressUpCarryClassicCodes) {
  RecordingControl c;
  c.resize(10, 10);
  c.show();
  QTest::keyClick(&c, GetParam().key, GetParam().mods);
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
                    KeyCase{Qt::Key_Down, Qt::ControlModifier,
                            {"KeyDown 17 2", "KeyDown 40 2", "KeyUp 40 2", "KeyUp 17 0"}}));

class AccessKeys : public testing::Test {
 protected:
  void SetUp() override {
    first = new RecordingControl(&window);
    second = new RecordingControl(&window);
    first->setGeometry(0, 0, 20, 10);
    second->setGeometry(0, 20, 20, 10);
    second->setAccessKeys("s");
    window.show();
  }
  QWidget window;
  RecordingControl* first = nullptr;   // owned by window
  RecordingControl* second = nullptr;  // owned by window
};

TEST_F(AccessKeys, AltAndTheKeyReachTheOwner) {
  QTest::keyClick(first, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(Only(second->log, {"AccessKeyPress"}), QStringList({"AccessKeyPress 115"}));
  EXPECT_TRUE(Only(first->log, {"KeyDown 83"}).isEmpty());  // consumed by the access key
}

TEST_F(AccessKeys, WithoutAltTheKeyIsOrdinary) {
  QTest::keyClick(first, Qt::Key_S);
  EXPECT_TRUE(Only(second->log, {"AccessKeyPress"}).isEmpty());
  EXPECT_EQ(Only(first->log, {"KeyDown"}), QStringList({"KeyDown 83 0"}));
}

TEST_F(AccessKeys, DisabledOwnerIsPassedOver) {
  second->setEnabled(false);
  QTest::keyClick(first, Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(Only(second->log, {"AccessKeyPress"}).isEmpty());
  EXPECT_EQ(Only(first->log, {"KeyDown 83"}), QStringList({"KeyDown 83 4"}));
}

TEST_F(AccessKeys, OtherLettersAreNotTaken) {
  QTest::keyClick(first, Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(Only(second->log, {"AccessKeyPress"}).isEmpty());
}

}  // namespace
}  // namespace kelvane::test
