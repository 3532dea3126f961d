#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/host/errors.h"
#include "platform/host/services.h"
#include "recording_control.h"
#include "tests/support/recording_services.h"

namespace kelvane::test {
namespace {

using host::services;

TEST(RecordingServices, RecordsMessagesKeysAndPendingEventRuns) {
  RecordingServices rec;
  ScopedServices scope(rec);
  EXPECT_EQ(services().MsgBox("Value can NOT be higher than Maximum !", host::kMsgBoxCritical, "Error"),
            host::kMsgBoxOk);
  services().SendKeys("+{Tab}");
  std::vector<int> ticks;
  rec.onDoEvents = [&](int n) { ticks.push_back(n); };
  services().DoEvents();
  services().DoEvents();
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0], (RecordedMessage{"Value can NOT be higher than Maximum !", 16, "Error"}));
  EXPECT_EQ(rec.sentKeys, std::vector<QString>{"+{Tab}"});
  EXPECT_EQ(rec.doEventsCount, 2);
  EXPECT_EQ(ticks, (std::vector<int>{1, 2}));
}

TEST(RecordingServices, EndThrowsWithTheStatus) {
  RecordingServices rec;
  ScopedServices scope(rec);
  try {
    services().End(3);
    FAIL();
  } catch (const EndRequested& e) {
    EXPECT_EQ(e.status, 3);
  }
}

TEST(ScopedServices, NestsAndRestores) {
  host::HostServices* const real = &services();
  RecordingServices outer, inner;
  {
    ScopedServices a(outer);
    EXPECT_EQ(&services(), &outer);
    {
      ScopedServices b(inner);
      EXPECT_EQ(&services(), &inner);
    }
    EXPECT_EQ(&services(), &outer);
  }
  EXPECT_EQ(&services(), real);
  EXPECT_EQ(host::installServices(nullptr), real);  // nullptr restores the real set
  EXPECT_EQ(&services(), real);
}

struct KeysCase {
  const char* keys;
  host::FocusStep step;
};

class FocusKeys : public testing::TestWithParam<KeysCase> {};

TEST_P(FocusKeys, Parse) { EXPECT_EQ(host::ParseFocusKeys(GetParam().keys), GetParam().step); }

INSTANTIATE_TEST_SUITE_P(Strings, FocusKeys,
                         testing::Values(KeysCase{"{Tab}", host::FocusStep::Next},
                                         KeysCase{"{TAB}", host::FocusStep::Next},
                                         KeysCase{"+{Tab}", host::FocusStep::Previous},
                                         KeysCase{"+{tab}", host::FocusStep::Previous}));

TEST(FocusKeysRejected, OtherStringsAreAnInvalidProcedureCall) {
  for (const char* bad : {"", "{Enter}", "+", "{Tab}{Tab}", "Tab"}) {
    try {
      host::ParseFocusKeys(bad);
      ADD_FAILURE() << bad;
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.number(), host::kErrInvalidProcedureCall);
    }
  }
}

TEST(RealServices, MessageBoxStyleSixteenIsAStopIconWithOk) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  QList<QAbstractButton*> buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    icon = box->icon();
    title = box->windowTitle();
    text = box->text();
    buttons = box->buttons();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(services().MsgBox("Minimum can NOT be smaller then 0 !", host::kMsgBoxCritical, "Error"),
            host::kMsgBoxOk);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(title, "Error");
  EXPECT_EQ(text, "Minimum can NOT be smaller then 0 !");
  EXPECT_EQ(buttons.size(), 1);
}

TEST(RealServices, TabKeystrokesMoveTheFocusWhenEventsRun) {
  QWidget window;
  auto* a = new RecordingControl(&window);
  auto* b = new RecordingControl(&window);
  a->setGeometry(0, 0, 10, 10);
  b->setGeometry(0, 20, 10, 10);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  a->setFocus();
  ASSERT_TRUE(a->hasFocus());
  services().SendKeys("{Tab}");
  EXPECT_TRUE(a->hasFocus());  // queued, not waited for
  services().DoEvents();
  EXPECT_TRUE(b->hasFocus());
  services().SendKeys("+{Tab}");
  services().DoEvents();
  EXPECT_TRUE(a->hasFocus());
  EXPECT_EQ(Only(a->log, {"GotFocus", "LostFocus"}), QStringList({"GotFocus", "LostFocus", "GotFocus"}));
}

}  // namespace
}  // namespace kelvane::test
