#pragma once
// A desktop notification through the freedesktop notification service on the session bus.
#include <QString>

namespace kelvane::app {

// Sent without waiting for an answer; with no session bus or no notification service nothing is
// shown and nothing is said: the result stays in the panel menu either way. A process about to
// end waits up to `waitMs` for the service to take it, so the message is not lost with the process.
void NotifyDesktop(const QString& summary, const QString& body, int waitMs = 0);

}  // namespace kelvane::app
