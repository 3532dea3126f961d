#pragma once
// Host services for tests: message boxes, pending-event runs and keystrokes are recorded instead of
// shown or sent, and ending the program throws EndRequested so a test can observe it.
#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/services.h"

namespace kelvane::test {

// "Suite.Test" of the running test, for failures raised outside its body.
inline std::string RunningTestName() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("no test");
}

// Derived from std::exception so that one nobody catches names itself in the test's failure.
struct EndRequested : std::runtime_error {
  explicit EndRequested(int s)
      : std::runtime_error("the program was ended with status " + std::to_string(s)), status(s) {}
  int status = 0;
};

struct RecordedMessage {
  QString text;
  int style = 0;
  QString title;
  friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

// A box is expected only once the test takes it (TakeMessages) or sees it come (onMsgBox); one
// still here when the recorder goes fails the running test.
class RecordingServices : public host::HostServices {
 public:
  RecordingServices() = default;
  RecordingServices(const RecordingServices&) = delete;
  RecordingServices& operator=(const RecordingServices&) = delete;
  ~RecordingServices() override { ReportUnexpectedMessages(); }

  int MsgBox(const QString& text, int style, const QString& title) override {
    const RecordedMessage message{text, style, title};
    if (onMsgBox)
      onMsgBox(message);
    else
      messages_.push_back(message);
    return msgBoxResult;
  }

  // Counts the call, then runs onPendingEvents (if set) so a test can inject ticks or clicks mid-routine.
  void RunPendingEvents() override {
    ++pendingEventRuns;
    if (onPendingEvents) onPendingEvents(pendingEventRuns);
  }

  void SendKeys(const QString& keys) override { sentKeys.push_back(keys); }

  [[noreturn]] void End(int status) override { throw EndRequested(status); }

  // The boxes shown since the last call, oldest first.
  std::vector<RecordedMessage> TakeMessages() { return std::exchange(messages_, {}); }

  void ReportUnexpectedMessages() {
    for (const RecordedMessage& m : TakeMessages())
      ADD_FAILURE() << "unexpected message box '" << m.title.toStdString() << ": " << m.text.toStdString()
                    << "' in " << RunningTestName();
  }

  int msgBoxResult = host::kMsgBoxOk;
  std::function<void(const RecordedMessage&)> onMsgBox;
  int pendingEventRuns = 0;
  std::function<void(int count)> onPendingEvents;
  std::vector<QString> sentKeys;

 private:
  std::vector<RecordedMessage> messages_;
};

// Installs a set of services for one scope and puts the previous set back afterwards.
class ScopedServices {
 public:
  explicit ScopedServices(host::HostServices& s) : previous_(host::installServices(&s)) {}
  ~ScopedServices() { host::installServices(previous_); }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  host::HostServices* previous_;
};

// The set the application would use, whatever is installed now.
inline host::HostServices& RealServices() {
  host::HostServices* const installed = host::installServices(nullptr);
  host::HostServices& real = host::services();
  host::installServices(installed);
  return real;
}

// The real services for one scope, for the tests of the real services alone: everything else runs
// with the recorder the test main installs.
class ScopedRealServices {
 public:
  ScopedRealServices() : previous_(host::installServices(nullptr)) {}
  ~ScopedRealServices() { host::installServices(previous_); }
  ScopedRealServices(const ScopedRealServices&) = delete;
  ScopedRealServices& operator=(const ScopedRealServices&) = delete;

 private:
  host::HostServices* previous_;
};

}  // namespace kelvane::test
