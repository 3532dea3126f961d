#include <gtest/gtest.h>
#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <memory>

#include "controls/accessibility.h"
#include "controls/button/button_accessible.h"
#include "controls/button/chameleon_button.h"
#include "controls/progressbar/progressbar_accessible.h"
#include "controls/progressbar/xp_progressbar.h"
#include "tests/support/control_widgets.h"

namespace kelvane::controls::test {
namespace {

constexpr int kWaitMs = 5000;

kelvane::test::OwnedButton NewButton(const QString& caption) {
  InstallAccessibility();
  kelvane::test::OwnedButton b;
  b->hostCreateNew({});
  b->widget().resize(80, 24);
  b->setCaption(caption);
  return b;
}

QAccessibleInterface* Accessible(QObject* o) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
  EXPECT_NE(iface, nullptr);
  return iface;
}

struct CaptionCase {
  const char* caption;
  const char* name;
  const char* shortcut;
};

class ButtonCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(ButtonCaptionTest, NameAndShortcutAreWhatTheCaptionShows) {
  const CaptionCase& c = GetParam();
  auto button = NewButton(QString::fromUtf8(c.caption));
  QAccessibleInterface* iface = Accessible(&button->widget());
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name));
  EXPECT_EQ(iface->text(QAccessible::Accelerator), QString::fromUtf8(c.shortcut));
  const QStringList bindings =
      iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(bindings, QString(c.shortcut).isEmpty() ? QStringList() : QStringList{c.shortcut});
}

INSTANTIATE_TEST_SUITE_P(Captions, ButtonCaptionTest,
                         ::testing::Values(CaptionCase{"&Optimize", "Optimize", "Alt+O"},
                                           CaptionCase{"E&xit", "Exit", "Alt+X"},
                                           CaptionCase{"A&&B", "A&B", ""}, CaptionCase{"End&", "End", ""},
                                           CaptionCase{"&&&Save", "&Save", "Alt+S"},
                                           CaptionCase{"Run &1", "Run 1", "Alt+1"},
                                           CaptionCase{"Plain", "Plain", ""}, CaptionCase{"", "", ""}));

TEST(ButtonAccessibleTest, RenamingTheCaptionRenamesTheButton) {
  auto button = NewButton(QStringLiteral("&Optimize"));
  QAccessibleInterface* iface = Accessible(&button->widget());
  button->setCaption(QStringLiteral("&Stop"));
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Stop"));
  EXPECT_EQ(iface->text(QAccessible::Accelerator), QStringLiteral("Alt+S"));
}

TEST(ButtonAccessibleTest, AnAccessibleNameSetOnTheWidgetWins) {
  auto button = NewButton(QStringLiteral("&Optimize"));
  button->widget().setAccessibleName(QStringLiteral("Free memory"));
  EXPECT_EQ(Accessible(&button->widget())->text(QAccessible::Name), QStringLiteral("Free memory"));
}

struct KindCase {
  bool checkBox;
  bool value;
  bool enabled;
  QAccessible::Role role;
  const char* action;  // empty: no click action offered
};

class ButtonKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ButtonKindTest, RoleStatesAndAction) {
  const KindCase& c = GetParam();
  auto button = NewButton(QStringLiteral("&Go"));
  button->setCheckBoxBehaviour(c.checkBox);
  button->setValue(c.value);
  button->setEnabled(c.enabled);
  QAccessibleInterface* iface = Accessible(&button->widget());
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), c.role);
  const QAccessible::State s = iface->state();
  EXPECT_EQ(bool(s.checkable), c.checkBox);
  EXPECT_EQ(bool(s.checked), c.checkBox && c.value);
  EXPECT_EQ(bool(s.disabled), !c.enabled);
  EXPECT_FALSE(s.pressed);
  const QStringList names = iface->actionInterface()->actionNames();
  const QString action = QString::fromLatin1(c.action);
  if (action.isEmpty()) {
    EXPECT_FALSE(names.contains(QAccessibleActionInterface::pressAction()));
    EXPECT_FALSE(names.contains(QAccessibleActionInterface::toggleAction()));
  } else {
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.first(), action);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ButtonKindTest,
                         ::testing::Values(KindCase{false, false, true, QAccessible::Button, "Press"},
                                           KindCase{false, true, true, QAccessible::Button,
                                                    "Press"},  // Value means nothing here
                                           KindCase{true, false, true, QAccessible::CheckBox, "Toggle"},
                                           KindCase{true, true, true, QAccessible::CheckBox, "Toggle"},
                                           KindCase{false, false, false, QAccessible::Button, ""},
                                           KindCase{true, true, false, QAccessible::CheckBox, ""}));

struct ClickCase {
  bool checkBox;
  bool enabled;
  int clicks;
  bool valueAfter;
};

class ButtonClickTest : public ::testing::TestWithParam<ClickCase> {};

// The action and the keyboard's access key must end the same way: same clicks, same Value.
TEST_P(ButtonClickTest, ActionClicksLikeTheKeyboard) {
  const ClickCase& c = GetParam();
  for (const bool viaAction : {true, false}) {
    SCOPED_TRACE(viaAction ? "action" : "access key");
    auto button = NewButton(QStringLiteral("&Go"));
    button->setCheckBoxBehaviour(c.checkBox);
    button->setEnabled(c.enabled);
    int clicks = 0;
    button->Click.connect([&] { ++clicks; });
    QAccessibleInterface* iface = Accessible(&button->widget());
    if (viaAction) {
      iface->actionInterface()->doAction(c.checkBox ? QAccessibleActionInterface::toggleAction()
                                                    : QAccessibleActionInterface::pressAction());
      // The reader has its answer before the click runs; a long click must not keep it waiting.
      EXPECT_EQ(clicks, 0);
      EXPECT_FALSE(button->Value());
      QCoreApplication::processEvents();
    } else {
      button->hostAccessKeyPress('g');
    }
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(button->Value(), c.valueAfter);
    EXPECT_EQ(bool(iface->state().checked), c.checkBox && c.valueAfter);
  }
}

INSTANTIATE_TEST_SUITE_P(Clicks, ButtonClickTest,
                         ::testing::Values(ClickCase{false, true, 1, false}, ClickCase{true, true, 1, true},
                                           ClickCase{false, false, 0, false},
                                           ClickCase{true, false, 0, false}));

TEST(ButtonAccessibleTest, AButtonGoneBeforeItsQueuedClickIsLeftAlone) {
  auto button = NewButton(QStringLiteral("&Go"));
  Accessible(&button->widget())->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  button.reset();
  QCoreApplication::processEvents();  // must not touch the deleted button
}

TEST(ButtonAccessibleTest, TheOtherActionDoesNotClick) {
  auto button = NewButton(QStringLiteral("&Go"));
  int clicks = 0;
  button->Click.connect([&] { ++clicks; });
  Accessible(&button->widget())->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 0);
}

struct MouseCase {
  Qt::MouseButton down;
  Qt::MouseButton up;
  bool pressedWhileDown;
  bool pressedAfterUp;
};

class ButtonPressedTest : public ::testing::TestWithParam<MouseCase> {};

TEST_P(ButtonPressedTest, PressedFollowsTheButtonsDownLook) {
  const MouseCase& c = GetParam();
  auto button = NewButton(QStringLiteral("&Go"));
  button->widget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button->widget(), kWaitMs));
  QAccessibleInterface* iface = Accessible(&button->widget());
  const QPoint middle(40, 12);
  QTest::mousePress(&button->widget(), c.down, Qt::NoModifier, middle);
  EXPECT_EQ(bool(iface->state().pressed), c.pressedWhileDown);
  QTest::mouseRelease(&button->widget(), c.up, Qt::NoModifier, middle);
  EXPECT_EQ(bool(iface->state().pressed), c.pressedAfterUp);
}

INSTANTIATE_TEST_SUITE_P(Mouse, ButtonPressedTest,
                         ::testing::Values(MouseCase{Qt::LeftButton, Qt::LeftButton, true, false},
                                           MouseCase{Qt::RightButton, Qt::RightButton, false, false},
                                           MouseCase{Qt::MiddleButton, Qt::MiddleButton, true, false}));

TEST(ButtonAccessibleTest, PressedWhileTheSpaceBarHoldsTheButtonDown) {
  auto button = NewButton(QStringLiteral("&Go"));
  button->widget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button->widget(), kWaitMs));
  QAccessibleInterface* iface = Accessible(&button->widget());
  QTest::keyPress(&button->widget(), Qt::Key_Space);
  EXPECT_TRUE(iface->state().pressed);
  QTest::keyRelease(&button->widget(), Qt::Key_Space);
  EXPECT_FALSE(iface->state().pressed);
}

TEST(ButtonAccessibleTest, FocusedWhenTheButtonHasFocus) {
  QWidget window;
  auto* button = kelvane::test::NewButton(&window);
  InstallAccessibility();
  button->hostCreateNew({});
  auto* other = kelvane::test::NewButton(&window);
  other->hostCreateNew({});
  other->widget().move(0, 30);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
  QAccessibleInterface* iface = Accessible(&button->widget());
  other->widget().setFocus();
  EXPECT_FALSE(iface->state().focused);
  button->widget().setFocus();
  ASSERT_TRUE(button->widget().hasFocus());
  EXPECT_TRUE(iface->state().focused);
  EXPECT_TRUE(iface->state().focusable);
}

struct BarCase {
  std::int32_t min, max, value;
  const char* percent;
};

class ProgressBarAccessibleTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(ProgressBarAccessibleTest, ValueInterfaceFollowsTheBar) {
  const BarCase& c = GetParam();
  InstallAccessibility();
  kelvane::test::OwnedBar owner;
  Xp_ProgressBar& bar = *owner;
  bar.hostCreateNew({});
  QAccessibleInterface* iface = Accessible(&bar.widget());
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
  // Widen first so every step is legal whatever the previous range was.
  bar.setMax(c.max);
  bar.setMin(c.min);
  bar.setValue(c.value);
  QAccessibleValueInterface* v = iface->valueInterface();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->minimumValue().toInt(), c.min);
  EXPECT_EQ(v->maximumValue().toInt(), c.max);
  EXPECT_EQ(v->currentValue().toInt(), c.value);
  EXPECT_EQ(iface->text(QAccessible::Value), QString::fromLatin1(c.percent));
  v->setCurrentValue(c.min == c.value ? c.max : c.min);  // read-only: nothing moves
  EXPECT_EQ(bar.Value(), c.value);
  EXPECT_EQ(iface->actionInterface()->actionNames(), QStringList()) << "a gauge offers nothing to do";
}

INSTANTIATE_TEST_SUITE_P(Ranges, ProgressBarAccessibleTest,
                         ::testing::Values(BarCase{0, 100, 0, "0%"}, BarCase{0, 100, 42, "42%"},
                                           BarCase{0, 100, 100, "100%"}, BarCase{10, 20, 15, "50%"},
                                           BarCase{0, 3, 2, "66%"}, BarCase{5, 5, 5, "100%"},
                                           BarCase{0, 100, 29, "29%"}, BarCase{0, 100, 57, "57%"},
                                           BarCase{0, 2147483647, 2147483647, "100%"}));

TEST(ProgressBarValueTest, EveryAssignmentIsSeen) {
  kelvane::test::OwnedBar owner;
  Xp_ProgressBar& bar = *owner;
  bar.hostCreateNew({});
  QAccessibleValueInterface* v = Accessible(&bar.widget())->valueInterface();
  ASSERT_NE(v, nullptr);
  for (const int value : {1, 50, 99, 100, 0}) {
    bar.setValue(value);
    EXPECT_EQ(v->currentValue().toInt(), value);
  }
}

}  // namespace
}  // namespace kelvane::controls::test
