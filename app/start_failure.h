// What Kelvane says when the window system cannot be reached: one line naming the problem and exit
// status 1, where Qt would abort (a core dump) with advice to reinstall the application.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane::app {

// Exit status when the program cannot start: no display, or its output cannot be written.
inline constexpr int kExitCannotStart = 1;

// Where Qt was told to show the window: the -display option and the environment.
struct DisplayRequest {
  QString displayOption;   // -display <name>
  QString display;         // DISPLAY
  QString waylandDisplay;  // WAYLAND_DISPLAY
};

// The line for standard error, from what Qt said before it gave up (its warnings and its fatal
// message, in order).
QString StartFailureLine(const QStringList& qtMessages, const DisplayRequest& request);

// Holds Qt's messages while the application object connects to the display. If Qt gives up, prints
// StartFailureLine and ends the process with kExitCannotStart; once released, hands what it held to
// the previous message handler. One at a time.
class StartFailureGuard {
 public:
  explicit StartFailureGuard(DisplayRequest request);
  ~StartFailureGuard();
  StartFailureGuard(const StartFailureGuard&) = delete;
  StartFailureGuard& operator=(const StartFailureGuard&) = delete;
};

}  // namespace kelvane::app
