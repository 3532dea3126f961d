#pragma once
// Host services for tests: message boxes, pending-event runs and keystrokes are recorded instead of
// shown or sent, and ending the program throws EndRequested so a test can observe it.
#include <QString>
#include <functional>
#include <vector>

#include "platform/host/services.h"

namespace kelvane::test {

struct EndRequested {
  int status = 0;
};

struct RecordedMessage {
  QString text;
  int style = 0;
  QString title;
  friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

class RecordingServices : public host::HostServices {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override {
    messages.push_back({text, style, title});
    if (onMsgBox) onMsgBox(messages.back());
    return msgBoxResult;
  }

  // Counts the call, then runs onPendingEvents (if set) so a test can inject ticks or clicks mid-routine.
  void RunPendingEvents() override {
    ++pendingEventRuns;
    if (onPendingEvents) onPendingEvents(pendingEventRuns);
  }

  void SendKeys(const QString& keys) override { sentKeys.push_back(keys); }

  [[noreturn]] void End(int status) override { throw EndRequested{status}; }

  std::vector<RecordedMessage> messages;
  int msgBoxResult = host::kMsgBoxOk;
  std::function<void(const RecordedMessage&)> onMsgBox;
  int pendingEventRuns = 0;
  std::function<void(int count)> onPendingEvents;
  std::vector<QString> sentKeys;
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

}  // namespace kelvane::test
