// A handler may delete the button that called it, itself or through its parent, from any signal:
// the button stops at once and the program goes on (under AddressSanitizer: reads nothing freed).
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <functional>

#include "tests/support/wait.h"

namespace {

using Kelvane::chameleonButton;

const QPoint kInside(30, 12), kButtonAt(10, 10), kAway(150, 70);

struct Shown {
  QPointer<QWidget> window = new QWidget;
  QPointer<chameleonButton> button = new chameleonButton(window);
};

void Click(Shown& s) {
  QTest::mousePress(s.button, Qt::LeftButton, {}, kInside);
  if (s.button) QTest::mouseRelease(s.button, Qt::LeftButton, {}, kInside);
}
void CheckBoxClick(Shown& s) {
  s.button->setCheckBoxBehaviour(true);
  Click(s);
}
void Space(Shown& s) {
  QTest::keyPress(s.button, Qt::Key_Space);
  if (s.button) QTest::keyRelease(s.button, Qt::Key_Space);
}
void HoverAndLeave(Shown& s) {
  QCursor::setPos(s.button->mapToGlobal(kInside));
  QCoreApplication::processEvents();
  if (!s.button) return;
  QMouseEvent move(QEvent::MouseMove, kInside, s.button->mapToGlobal(kInside), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(s.button, &move);
  if (s.button) QCursor::setPos(s.window->mapToGlobal(kAway));
}
// While designing, the colours take their hover twins along and ButtonType 5 makes the font bold.
void DesignerEdits(Shown& s) {
  s.button->setUserMode(false);
  s.button->setBackColor(Qt::red);
  if (s.button) s.button->setForeColor(Qt::blue);
  if (s.button) s.button->setButtonType(5);
}

void Recaption(Shown& s) { s.button->setCaption(QStringLiteral("Longer than before")); }
// Three properties move: the first told may be the last.
void Hand(Shown& s) { s.button->setHandPointer(true); }

using Connect = std::function<void(chameleonButton*, std::function<void()>)>;
template <typename... Args>
Connect On(void (chameleonButton::*signal)(Args...)) {
  return [signal](chameleonButton* b, std::function<void()> kill) {
    QObject::connect(b, signal, [kill](Args...) { kill(); });
  };
}

struct DeletionCase {
  const char* name;
  Connect connect;
  void (*input)(Shown&);
};

class HandlerDeletes : public testing::TestWithParam<std::tuple<DeletionCase, bool>> {};

TEST_P(HandlerDeletes, TheButtonStopsAndTheProgramGoesOn) {
  const auto& [c, viaParent] = GetParam();
  Shown s;
  s.window->resize(200, 100);
  s.button->setGeometry(QRect(kButtonAt, QSize(60, 24)));
  QCursor::setPos(s.window->mapToGlobal(kAway));
  s.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window));
  c.connect(s.button, [&s, parent = viaParent] { parent ? delete s.window : delete s.button; });
  c.input(s);
  ASSERT_TRUE(kelvane::test::WaitUntil([&] { return s.button.isNull(); })) << c.name;
  EXPECT_EQ(s.window.isNull(), viaParent);
  delete s.window;
}

INSTANTIATE_TEST_SUITE_P(
    Signals, HandlerDeletes,
    testing::Combine(
        testing::Values(DeletionCase{"MouseDown", On(&chameleonButton::MouseDown), Click},
                        DeletionCase{"MouseUp", On(&chameleonButton::MouseUp), Click},
                        DeletionCase{"Click", On(&chameleonButton::Click), Click},
                        DeletionCase{"clicked", On(&chameleonButton::clicked), Click},
                        DeletionCase{"ValueChanged", On(&chameleonButton::ValueChanged), CheckBoxClick},
                        DeletionCase{"KeyDown", On(&chameleonButton::KeyDown), Space},
                        DeletionCase{"KeyPress", On(&chameleonButton::KeyPress), Space},
                        DeletionCase{"KeyUp", On(&chameleonButton::KeyUp), Space},
                        DeletionCase{"SpaceClick", On(&chameleonButton::Click), Space},
                        DeletionCase{"MouseMove", On(&chameleonButton::MouseMove), HoverAndLeave},
                        DeletionCase{"MouseOver", On(&chameleonButton::MouseOver), HoverAndLeave},
                        DeletionCase{"MouseOut", On(&chameleonButton::MouseOut), HoverAndLeave},
                        DeletionCase{"BackOverChanged", On(&chameleonButton::BackOverChanged), DesignerEdits},
                        DeletionCase{"ForeOverChanged", On(&chameleonButton::ForeOverChanged), DesignerEdits},
                        DeletionCase{"FontChanged", On(&chameleonButton::FontChanged), DesignerEdits},
                        DeletionCase{"CaptionChanged", On(&chameleonButton::CaptionChanged), Recaption},
                        DeletionCase{"HandPointerChanged", On(&chameleonButton::HandPointerChanged), Hand}),
        testing::Bool()),
    [](const testing::TestParamInfo<std::tuple<DeletionCase, bool>>& p) {
      return std::string(std::get<0>(p.param).name) + (std::get<1>(p.param) ? "ViaParent" : "");
    });

}  // namespace
