#pragma once
// Host services that reach outside one control: message boxes, pending events, keystrokes, ending.
// The application installs real ones; tests install a recorder.
#include <QString>

class QWidget;

namespace kelvane::host {

// Message-box style values: buttons in the low bits, the icon above them.
inline constexpr int kMsgBoxOkOnly = 0;
inline constexpr int kMsgBoxOkCancel = 1;
inline constexpr int kMsgBoxAbortRetryIgnore = 2;
inline constexpr int kMsgBoxYesNoCancel = 3;
inline constexpr int kMsgBoxYesNo = 4;
inline constexpr int kMsgBoxRetryCancel = 5;
inline constexpr int kMsgBoxCritical = 16;  // stop icon
inline constexpr int kMsgBoxQuestion = 32;
inline constexpr int kMsgBoxExclamation = 48;
inline constexpr int kMsgBoxInformation = 64;

// Message-box results: the button pressed.
inline constexpr int kMsgBoxOk = 1;
inline constexpr int kMsgBoxCancel = 2;
inline constexpr int kMsgBoxAbort = 3;
inline constexpr int kMsgBoxRetry = 4;
inline constexpr int kMsgBoxIgnore = 5;
inline constexpr int kMsgBoxYes = 6;
inline constexpr int kMsgBoxNo = 7;

class HostServices {
 public:
  virtual ~HostServices() = default;
  // Modal; returns the button pressed.
  virtual int MsgBox(const QString& text, int style, const QString& title) = 0;
  // Processes waiting window messages once before returning.
  virtual void RunPendingEvents() = 0;
  // "{Tab}" and "+{Tab}" move the focus to the next / previous control. The keystrokes are queued,
  // not waited for. Any other string raises RuntimeError 5.
  virtual void SendKeys(const QString& keys) = 0;
  // Ends the program at once: no close or unload handling runs.
  [[noreturn]] virtual void End(int status = 0) = 0;
};

// A control refuses an assignment (a Value outside its range, ...): the program's refusal handler
// takes the text if one is installed, whatever services are installed; otherwise the installed
// services show it in a box with a stop icon, titled "Error". Other boxes never reach the handler.
void Refuse(const QString& text);
// A program's own taker of refusals, in place of the box: it gets the text and the box's title.
// GUI thread only; it may delete the control that refused.
using RefusalHandler = void (*)(const QString& text, const QString& title);
// Installs `h` (nullptr: the box again) and returns the previous one, as qInstallMessageHandler.
RefusalHandler installRefusalHandler(RefusalHandler h);

// The installed services; a real set is installed until something else is.
HostServices& services();
// Installs `s` (not owned) and returns the previous set; nullptr restores the real one.
HostServices* installServices(HostServices* s);

// The keystroke strings the host understands, for implementations of SendKeys.
enum class FocusStep { Next, Previous };
// "{Tab}" -> Next, "+{Tab}" -> Previous (case ignored); anything else raises RuntimeError 5.
FocusStep ParseFocusKeys(const QString& keys);

}  // namespace kelvane::host
