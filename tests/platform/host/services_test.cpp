#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>

#include "platform/host/errors.h"
#include "platform/host/services.h"
#include "recording_control.h"
#include "tests/support/hosted_control.h"
#include "tests/support/recording_services.h"
#include "tests/support/wait.h"

namespace kelvane::test {
namespace {

using host::services;

TEST(Services, InstallingNothingRestoresTheRealSet) {
  host::HostServices* const before = &services();
  host::HostServices* real = nullptr;
  {
    ScopedRealServices scoped;
    real = &services();
  }
  EXPECT_EQ(&services(), before);
  RecordingServices rec;
  host::installServices(&rec);
  EXPECT_EQ(&services(), &rec);
  EXPECT_EQ(host::installServices(nullptr), &rec);
  EXPECT_EQ(&services(), real);
  host::installServices(before);
}

// A box nobody took fails the running test by name instead of passing unseen.
TEST(RecordingServices, ABoxNobodyTookFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        RecordingServices rec;
        rec.MsgBox("Value can NOT be higher than Maximum !", host::kMsgBoxCritical, "Error");
      },
      "unexpected message box 'Error: Value can NOT be higher than Maximum !' in "
      "RecordingServices.ABoxNobodyTookFailsTheTest");
  RecordingServices rec;
  rec.MsgBox("Taken", host::kMsgBoxOkOnly, "Title");
  EXPECT_EQ(rec.TakeMessages(), (std::vector<RecordedMessage>{{"Taken", host::kMsgBoxOkOnly, "Title"}}));
}

struct KeysCase {
  const char* keys;
  std::optional<host::FocusStep> step;  // none: an invalid procedure call
};

class FocusKeys : public testing::TestWithParam<KeysCase> {};

TEST_P(FocusKeys, OnlyTabAndShiftTabAreUnderstood) {
  if (GetParam().step) {
    EXPECT_EQ(host::ParseFocusKeys(GetParam().keys), *GetParam().step);
    return;
  }
  try {
    host::ParseFocusKeys(GetParam().keys);
    FAIL() << "accepted";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.number(), host::kErrInvalidProcedureCall);
  }
}

INSTANTIATE_TEST_SUITE_P(Strings, FocusKeys,
                         testing::Values(KeysCase{"{Tab}", host::FocusStep::Next},
                                         KeysCase{"{TAB}", host::FocusStep::Next},
                                         KeysCase{"+{Tab}", host::FocusStep::Previous},
                                         KeysCase{"+{tab}", host::FocusStep::Previous}, KeysCase{"", {}},
                                         KeysCase{"{Enter}", {}}, KeysCase{"+", {}},
                                         KeysCase{"{Tab}{Tab}", {}}, KeysCase{"Tab", {}}));

// What a real box showed, and what it answered when `press` was pressed on it.
struct AnsweredBox {
  bool shown = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  QMessageBox::StandardButtons buttons;
  int result = 0;
};

AnsweredBox AnswerRealBox(const QString& text, int style, const QString& title,
                          QMessageBox::StandardButton press) {
  ScopedRealServices real;
  AnsweredBox box;
  // Polled rather than fired once, and bounded: a box that never shows, lacks the button or never
  // closes fails the test instead of holding the run.
  QElapsedTimer waited;
  waited.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* shown = qobject_cast<QMessageBox*>(modal); shown && !box.shown) {
      box = {true, shown->icon(), shown->windowTitle(), shown->text(), shown->standardButtons(), 0};
      if (QAbstractButton* button = shown->button(press)) return button->click();
    }
    if (modal && (box.shown || waited.elapsed() > kGenerousWaitMs)) {
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(0);
      else
        modal->close();
    }
  });
  poll.start(10);
  box.result = services().MsgBox(text, style, title);
  return box;
}

TEST(RealServices, MessageBoxStyleSixteenIsAStopIconWithOk) {
  const AnsweredBox box =
      AnswerRealBox("Minimum can NOT be smaller then 0 !", host::kMsgBoxCritical, "Error", QMessageBox::Ok);
  ASSERT_TRUE(box.shown) << "no message box showed";
  EXPECT_EQ(box.result, host::kMsgBoxOk);
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.text, "Minimum can NOT be smaller then 0 !");
  EXPECT_EQ(box.buttons, QMessageBox::Ok);
}

struct StyleCase {
  const char* name;
  int style;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton press;
  int result;
};

class RealMessageBoxStyles : public testing::TestWithParam<StyleCase> {};

TEST_P(RealMessageBoxStyles, ShowTheirIconAndButtonsAndAnswerTheButtonPressed) {
  const StyleCase& c = GetParam();
  const AnsweredBox box = AnswerRealBox("Text", c.style, "Title", c.press);
  ASSERT_TRUE(box.shown) << "no message box showed";
  EXPECT_EQ(box.icon, c.icon);
  EXPECT_EQ(box.buttons, c.buttons);
  EXPECT_EQ(box.result, c.result);
}

using Box = QMessageBox;
INSTANTIATE_TEST_SUITE_P(
    Styles, RealMessageBoxStyles,
    testing::Values(
        StyleCase{"OkOnly", host::kMsgBoxOkOnly, Box::NoIcon, Box::Ok, Box::Ok, host::kMsgBoxOk},
        StyleCase{"OkCancelQuestion", host::kMsgBoxOkCancel | host::kMsgBoxQuestion, Box::Question,
                  Box::Ok | Box::Cancel, Box::Cancel, host::kMsgBoxCancel},
        StyleCase{"AbortOfAbortRetryIgnore", host::kMsgBoxAbortRetryIgnore | host::kMsgBoxExclamation,
                  Box::Warning, Box::Abort | Box::Retry | Box::Ignore, Box::Abort, host::kMsgBoxAbort},
        StyleCase{"RetryOfAbortRetryIgnore", host::kMsgBoxAbortRetryIgnore, Box::NoIcon,
                  Box::Abort | Box::Retry | Box::Ignore, Box::Retry, host::kMsgBoxRetry},
        StyleCase{"IgnoreOfAbortRetryIgnore", host::kMsgBoxAbortRetryIgnore, Box::NoIcon,
                  Box::Abort | Box::Retry | Box::Ignore, Box::Ignore, host::kMsgBoxIgnore},
        StyleCase{"NoOfYesNoCancelInformation", host::kMsgBoxYesNoCancel | host::kMsgBoxInformation,
                  Box::Information, Box::Yes | Box::No | Box::Cancel, Box::No, host::kMsgBoxNo},
        StyleCase{"YesOfYesNoCritical", host::kMsgBoxYesNo | host::kMsgBoxCritical, Box::Critical,
                  Box::Yes | Box::No, Box::Yes, host::kMsgBoxYes},
        StyleCase{"NoOfYesNo", host::kMsgBoxYesNo, Box::NoIcon, Box::Yes | Box::No, Box::No, host::kMsgBoxNo},
        StyleCase{"CancelOfRetryCancel", host::kMsgBoxRetryCancel, Box::NoIcon, Box::Retry | Box::Cancel,
                  Box::Cancel, host::kMsgBoxCancel}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RealServices, TabKeystrokesMoveTheFocusWhenEventsRun) {
  ScopedRealServices real;
  QWidget window;
  auto* a = new Hosted<RecordingControl>(&window);
  auto* b = new Hosted<RecordingControl>(&window);
  a->setGeometry(0, 0, 10, 10);
  b->setGeometry(0, 20, 10, 10);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kGenerousWaitMs));
  a->setFocus();
  ASSERT_TRUE(a->hasFocus());
  services().SendKeys("{Tab}");
  EXPECT_TRUE(a->hasFocus());  // queued, not waited for
  services().RunPendingEvents();
  EXPECT_TRUE(b->hasFocus());
  services().SendKeys("+{Tab}");
  services().RunPendingEvents();
  EXPECT_TRUE(a->hasFocus());
  EXPECT_EQ(Only((*a)->log, {"GotFocus", "LostFocus"}), QStringList({"GotFocus", "LostFocus", "GotFocus"}));
}

}  // namespace
}  // namespace kelvane::test
