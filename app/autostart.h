#pragma once
// "Start at login": an XDG autostart entry that starts Kelvane in the panel.
#include <QString>

namespace kelvane::app {

// $XDG_CONFIG_HOME/autostart/io.github.kelvane.Kelvane.desktop
QString AutostartPath();
QString AutostartEntry();

// An entry the desktop will start: present and not hidden.
bool AutostartEnabled(const QString& path = AutostartPath());
// Writes the entry atomically or removes it; the reason on failure, an empty string on success.
QString SetAutostart(bool enabled, const QString& path = AutostartPath());

}  // namespace kelvane::app
