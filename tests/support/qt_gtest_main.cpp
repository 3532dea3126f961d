#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "platform/host/services.h"
#include "tests/support/recording_services.h"

namespace {

using kelvane::test::RecordingServices;

// Boxes and the end of the program are recorded; events and keystrokes still reach the real
// services, as the tests that install no recorder expect.
class GuardServices final : public RecordingServices {
 public:
  void RunPendingEvents() override { kelvane::test::RealServices().RunPendingEvents(); }
  void SendKeys(const QString& keys) override { kelvane::test::RealServices().SendKeys(keys); }
  [[noreturn]] void End(int status) override {
    ends.push_back(status);
    RecordingServices::End(status);
  }
  std::vector<int> ends;
};

// Each test starts with a fresh recorder installed, so a message box nobody expected fails the test
// instead of waiting for a click that never comes, and ending the program throws instead of ending
// the run with status 0. Tests that expect either install their own.
class ServicesGuard final : public testing::EmptyTestEventListener {
 public:
  ServicesGuard() { Install(); }

  void OnTestStart(const testing::TestInfo&) override { Install(); }

  // Listeners hear of a test's end in reverse order, so these failures reach the printer in time.
  void OnTestEnd(const testing::TestInfo&) override {
    const std::string test = kelvane::test::RunningTestName();
    if (&kelvane::host::services() != current_.get())
      ADD_FAILURE() << test << " left other host services installed";
    for (int status : current_->ends)
      ADD_FAILURE() << "unexpected end of the program (status " << status << ") in " << test;
    current_->ends.clear();
    current_->ReportUnexpectedMessages();
  }

 private:
  void Install() {
    auto next = std::make_unique<GuardServices>();
    kelvane::host::installServices(next.get());
    current_ = std::move(next);
  }

  std::unique_ptr<GuardServices> current_;
};

}  // namespace

// Widgets need an application object; tests run on the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ServicesGuard);
  return RUN_ALL_TESTS();
}
