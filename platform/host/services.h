#pragma once
// Host services that reach outside one control: message boxes, pending events, keystrokes, ending.
// The application installs real ones; tests install a recorder.
#include <QString>

class QWidget;

namespace kelvane::host {

inline constexpr int kMsgBoxCritical = 16;  // stop icon + OK
inline constexpr int kMsgBoxOk = 1;         // result: OK pressed

class HostServices {
 public:
  virtual ~HostServices() = default;
  // Modal; returns the button pressed.
  virtual int MsgBox(const QString& text, int style, const QString& title) = 0;
  // Processes waiting window messages once before returning.
  virtual void DoEvents() = 0;
  // "{Tab}" and "+{Tab}" move the focus to the next / previous control.
  virtual void SendKeys(const QString& keys) = 0;
  // Ends the program at once: no close or unload handling runs.
  [[noreturn]] virtual void End(int status = 0) = 0;
};

// The installed services; a real set is installed until something else is.
HostServices& services();
// Installs `s` (not owned) and returns the previous set; nullptr restores the real one.
HostServices* installServices(HostServices* s);

}  // namespace kelvane::host
