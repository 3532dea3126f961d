#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
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
  host::HostServices* const real = &services();
  RecordingServices rec;
  host::installServices(&rec);
  EXPECT_EQ(&services(), &rec);
  EXPECT_EQ(host::installServices(nullptr), &rec);
  EXPECT_EQ(&services(), real);
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

TEST(RealServices, MessageBoxStyleSixteenIsAStopIconWithOk) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  qsizetype buttons = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    icon = box->icon();
    title = box->windowTitle();
    text = box->text();
    buttons = box->buttons().size();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(services().MsgBox("Minimum can NOT be smaller then 0 !", host::kMsgBoxCritical, "Error"),
            host::kMsgBoxOk);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(title, "Error");
  EXPECT_EQ(text, "Minimum can NOT be smaller then 0 !");
  EXPECT_EQ(buttons, 1);
}

TEST(RealServices, TabKeystrokesMoveTheFocusWhenEventsRun) {
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
