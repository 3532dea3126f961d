#pragma once
// A desktop notification through the freedesktop notification service on the session bus.
#include <QString>

namespace kelvane::app {

// Sent without waiting for an answer; with no session bus or no notification service nothing is
// shown and nothing is said: the result stays in the panel menu either way.
void NotifyDesktop(const QString& summary, const QString& body);

}  // namespace kelvane::app
